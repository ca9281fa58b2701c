#pragma once

#include <cstddef>
#include <string>
#include <vector>

// Rewrites the whole text of a PGN file in place into the normalised form the game splitter
// reads: tag pairs as [Name"value"] one after the other, then movetext tokens separated by one
// space, with comments, variations, annotation glyphs, escape lines, carriage returns, '#'
// signs and Black's move numbers removed. Tag values are carried through unchanged.
// Runs in time linear in the text's length. Throws CPGNReaderException for an unclosed comment,
// an unbalanced variation or three periods that do not follow a move number.
void PreProcessPgnText(std::string& text);
// The same on a buffer of n bytes; returns the new length (never more than n).
std::size_t PreProcessPgnText(char* text, std::size_t n);

// Where a '[' of the output came from in the input.
struct CBracketOrigin {
    std::size_t out;
    std::size_t in;
};

// The same from n bytes at `in` to `out`, which has room for n bytes and may be `in` itself.
// When `origins` is given, it receives every '[' of the output that is not part of a tag value,
// in order, with its position in the input.
std::size_t PreProcessPgnText(const char* in, std::size_t n, char* out,
                              std::vector<CBracketOrigin>* origins);
