#pragma once

#include "platform/GLSurface.h"

#include <vector>

// Glyphs of "Arial" bold at 15 pixels (a metric-compatible sans where Arial is missing) for the
// code points first .. first + count - 1, one bit a pixel, placed for glBitmap with the raster
// position on the baseline. A code point the font has no glyph for, and any control character,
// gives an empty bitmap with advance 0. Safe on any thread once the application object exists.
std::vector<CGlyphBitmap> RasterizeFontGlyphs(char32_t first, int count);
