#pragma once

#include <cstddef>
#include <string_view>

// A PGN file is read in segments, each pre-processed and parsed on its own: so that a broken
// game (an unclosed comment or variation, stray periods) costs only its own segment, and so that
// segments can be read on several threads. A segment starts at the start of the text and at
// every line that opens a tag section: a line that begins with a tag pair (blanks, '[', a name
// of letters, digits and '_', blanks, '"'), unless the last line before it that holds more than
// blanks, comments and escapes holds nothing but tag pairs (then it continues that tag section).

// The first segment start at or after `from` (a position within the text), or npos. Looks
// back only to the last line before the candidate that is not blank.
std::size_t NextSegmentStart(std::string_view text, std::size_t from);

// True when the line that starts at `pos` begins with a tag pair.
bool LineBeginsTagPair(std::string_view text, std::size_t pos);
