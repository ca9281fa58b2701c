#include "QtTestEnvironment.h"

#include <cstdio>
#include <string>

#include <gtest/gtest.h>

namespace {

constexpr char32_t kGlyphCount = 381; // U+0000 .. U+017C, as the bitmap font is built

bool Ink(const CGlyphBitmap& glyph, int x, int rowFromBottom) {
    const int rowBytes = (glyph.width + 7) / 8;
    const std::uint8_t byte = glyph.rows[rowFromBottom * rowBytes + x / 8];
    return (byte & (0x80 >> (x % 8))) != 0;
}

// The glyph as text, top row first, for failure messages.
std::string Picture(const CGlyphBitmap& glyph) {
    std::string text;
    for (int row = glyph.height - 1; row >= 0; --row) {
        for (int x = 0; x < glyph.width; ++x) {
            text += Ink(glyph, x, row) ? '#' : '.';
        }
        text += '\n';
    }
    return text;
}

std::string Name(char32_t codePoint) {
    char text[16];
    std::snprintf(text, sizeof text, "U+%04X", static_cast<unsigned>(codePoint));
    return text;
}

class GlyphRasterizerTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        window = CreateMainWindow();
        glyphs = window->Surface().RasterizeGlyphs(0, kGlyphCount);
    }
    static void TearDownTestSuite() { window.reset(); }

    static const CGlyphBitmap& Glyph(char32_t codePoint) { return glyphs.at(codePoint); }

    static inline std::unique_ptr<CQtMainWindowHandle> window;
    static inline std::vector<CGlyphBitmap> glyphs;
};

TEST_F(GlyphRasterizerTest, EveryBitmapIsPackedForGlBitmapAndCutToItsInk) {
    ASSERT_EQ(kGlyphCount, glyphs.size());
    for (char32_t codePoint = 0; codePoint < kGlyphCount; ++codePoint) {
        const CGlyphBitmap& glyph = Glyph(codePoint);
        SCOPED_TRACE(Name(codePoint) + "\n" + Picture(glyph));
        const int rowBytes = (glyph.width + 7) / 8;
        ASSERT_EQ(static_cast<std::size_t>(rowBytes * glyph.height), glyph.rows.size());
        if (glyph.rows.empty()) {
            EXPECT_EQ(0, glyph.width + glyph.height);
            continue;
        }
        EXPECT_GT(glyph.advance, 0.0f);
        bool top = false, bottom = false, left = false, right = false;
        for (int row = 0; row < glyph.height; ++row) {
            for (int x = 0; x < rowBytes * 8; ++x) {
                const bool ink = Ink(glyph, x, row);
                ASSERT_FALSE(ink && x >= glyph.width) << "padding bit set";
                top = top || (ink && row == glyph.height - 1);
                bottom = bottom || (ink && row == 0);
                left = left || (ink && x == 0);
                right = right || (ink && x == glyph.width - 1);
            }
        }
        EXPECT_TRUE(top && bottom && left && right) << "bitmap larger than its ink";
    }
    // Control characters are empty; a space only advances.
    for (char32_t codePoint : {0x00, 0x01, 0x0A, 0x1F, 0x7F, 0x80, 0x9F, 0x20}) {
        EXPECT_TRUE(Glyph(codePoint).rows.empty()) << Name(codePoint);
        EXPECT_EQ(Glyph(codePoint).advance > 0.0f, codePoint == 0x20) << Name(codePoint);
    }
}

} // namespace
