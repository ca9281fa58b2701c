#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// A PGN file is read in segments, each pre-processed and parsed on its own: so that a broken
// game (an unclosed comment or variation, stray periods) costs only its own segment, and so that
// segments can be read on several threads. A segment starts at the start of the text and at the
// first line of every game header.
//
// Lines are told apart by what they begin with, after blanks and byte-order marks:
// - tag lines: one or more tag pairs ('[', a name of letters, digits and '_', blanks, a quoted
//   value in which brackets, quotes escaped by '\' and anything else but a line end are text,
//   blanks, ']'), with comments closed on the line among them; movetext (a digit, a letter,
//   '*', '(' or '$') may follow the pairs;
// - damaged lines: a '[' that does not begin such a pair (but "[%" on a line without a quote,
//   a comment's command wrapped onto a line of its own), a tag line with such a '[' among its
//   pairs or anything but movetext after them, and the rest of a value broken over two lines
//   (a line with a quote that ends in ']', straight after a damaged line);
// - transparent lines: escape lines ('%' in the first column) and lines of comments only;
// - blank lines, and all others (movetext).
// A header is a run of tag lines and damaged lines, with transparent lines among them, that
// holds a tag line or a damaged line with a quote in it. It ends at a blank line, at a movetext
// line, or after a tag line that goes on with movetext. A damaged line never ends a header nor
// starts another: it is part of the header it stands in, and is dropped on its own.

// The first segment start at or after `from` (a position within the text), or npos. Looks
// back only as far as the last line before the candidate that is not transparent.
std::size_t NextSegmentStart(std::string_view text, std::size_t from);

// True when the line that starts at `lineStart` is the first line of a header.
bool BeginsGameHeader(std::string_view text, std::size_t lineStart);

// What one walk over the segment that starts at `start` finds: where the next one starts (or
// npos), and whether the header at its start, when it opens with one (`opensGame`, see
// BeginsGameHeader), holds a damaged line or a byte-order mark after its first line (what
// WithoutDamagedHeaderLines blanks).
struct CSegmentScan {
    std::size_t next = std::string_view::npos;
    bool damagedHeader = false;
};
CSegmentScan ScanSegment(std::string_view text, std::size_t start, bool opensGame);

// The text of a game whose header starts at its first byte, with each damaged line of that
// header, and each byte-order mark that starts one of its lines, made blanks (so every position
// stays where it was): `text` itself when it has none, else `copy`, which is overwritten.
std::string_view WithoutDamagedHeaderLines(std::string_view text, std::string& copy);

// The position of the first byte of the line at `lineStart` that is neither a blank nor part of
// a byte-order mark.
std::size_t SkipLineBlanks(std::string_view text, std::size_t lineStart);
