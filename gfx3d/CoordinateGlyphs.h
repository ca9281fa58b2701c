#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

// The characters a board's coordinates need, drawn from strokes of one width with round ends,
// like letters engraved with a round cutter. No OpenGL.
inline constexpr std::string_view kCoordinateGlyphs = "abcdefgh12345678";
// The atlas holds the glyphs in a 4 x 4 grid of square cells, in the order above from the
// bottom-left cell, row by row.
inline constexpr int kGlyphAtlasColumns = 4;

// The index of `c` in kCoordinateGlyphs, or -1.
int CoordinateGlyphIndex(char c);

// A (4 * cellSize) x (4 * cellSize) alpha image of all the glyphs, one byte a texel: 255 on a
// stroke, 0 off it, with a one-texel soft edge. Row 0 is the bottom of the image, as OpenGL
// takes it. In its cell a glyph is centred across and stands on a baseline a quarter up; digits
// and tall letters reach 0.85 of the cell, the others 0.65, and g reaches below the baseline.
std::vector<std::uint8_t> CoordinateGlyphAtlas(int cellSize);
