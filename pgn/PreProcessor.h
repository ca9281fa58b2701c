#pragma once

#include <cstddef>
#include <string>

// Rewrites the whole text of a PGN file in place into the normalised form the game splitter
// reads: tag pairs as [Name"value"] one after the other, then movetext tokens separated by one
// space, with comments, variations, annotation glyphs, escape lines, carriage returns, '#'
// signs and Black's move numbers removed. Tag values are carried through unchanged.
// Runs in time linear in the text's length. Throws CPGNReaderException for an unclosed comment,
// an unbalanced variation or three periods that do not follow a move number.
void PreProcessPgnText(std::string& text);
// The same on a buffer of n bytes; returns the new length (never more than n).
std::size_t PreProcessPgnText(char* text, std::size_t n);
