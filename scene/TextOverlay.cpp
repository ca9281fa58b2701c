#include "common/Ticks.h"
#include "gfx3d/BoardFrame.h"
#include "gfx3d/C3DObjTurnMarker.h"
#include "platform/GLSurface.h"
#include "resources/StringTable.h"
#include "scene/Scene.h"
#include "scene/ViewProjection.h"

#include <GL/glew.h>
#include <algorithm>
#include <cstdio>

namespace {

constexpr int kFontGlyphs = 381; // U+0000 .. U+017C
constexpr unsigned kFontHeight = 15;

std::u32string Widen(std::string_view text) {
    return {text.begin(), text.end()};
}

} // namespace

// Bitmap display lists for the characters 0 to 380, one list each from fontBase; characters
// beyond draw nothing.
void CScene::BuildFontLists() {
    fontBase = glGenLists(kFontLists);
    const std::vector<CGlyphBitmap> glyphs = surface->RasterizeGlyphs(U'\0', kFontGlyphs);
    glyphAdvances.assign(kFontLists, 0.0f);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    for (int i = 0; i < kFontGlyphs && i < static_cast<int>(glyphs.size()); ++i) {
        const CGlyphBitmap& glyph = glyphs[static_cast<std::size_t>(i)];
        glyphAdvances[static_cast<std::size_t>(i)] = glyph.advance;
        glNewList(fontBase + static_cast<GLuint>(i), GL_COMPILE);
        if (glyph.rows.empty()) {
            // A glyph without ink (a space) still moves the pen; some drivers drop an empty
            // bitmap from a display list altogether, so it is drawn as one clear pixel.
            static const GLubyte blank = 0;
            glBitmap(1, 1, 0.0f, 0.0f, glyph.advance, 0.0f, &blank);
        } else {
            glBitmap(glyph.width, glyph.height, glyph.xOrigin, glyph.yOrigin, glyph.advance, 0.0f,
                     glyph.rows.data());
        }
        glEndList();
    }
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
}

// Text at (x, y) pixels from the top-left corner of the viewport; y is the top edge of the
// text. At most the first 256 characters are drawn. Texturing and depth testing are off while
// the text is drawn so that the characters keep their colour and are never hidden.
void CScene::PrintText(unsigned x, unsigned y, float red, float green, float blue,
                       std::u32string_view text) {
    GLuint codes[256];
    const std::size_t count = std::min<std::size_t>(text.size(), 256);
    for (std::size_t i = 0; i < count; ++i) {
        codes[i] = std::min<GLuint>(static_cast<GLuint>(text[i]), kFontLists - 1);
    }
    glPushAttrib(GL_ENABLE_BIT | GL_LIST_BIT | GL_CURRENT_BIT);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_LIGHTING);
    glColor3f(red, green, blue);
    glWindowPos2f(static_cast<float>(x),
                  static_cast<float>(viewportHeight) - static_cast<float>(y) - kFontHeight);
    glListBase(fontBase);
    glCallLists(static_cast<GLsizei>(count), GL_UNSIGNED_INT, codes);
    glPopAttrib();
}

float CScene::TextWidth(std::u32string_view text) const {
    float width = 0.0f;
    for (const char32_t c : text) {
        width += c < glyphAdvances.size() ? glyphAdvances[c] : 0.0f;
    }
    return width;
}

// Each clock stands just outside the frame's corner where its side's marker lies, on the floor
// level with the frame's top, and reads away from the board: to the right of a corner that shows
// right of the board's centre, else to the left. The side to move's clock is white, the other
// grey; a dark shadow keeps both legible on any floor.
void CScene::DrawClocks() {
    const auto place = [&](double x, double z) {
        return ProjectToWindow(framePose, viewportWidth, viewportHeight, x, kBlockHeight, z);
    };
    const CWindowPoint centre = place(100.0, -100.0);
    for (const EPieceColor side : {White, Black}) {
        const std::u32string& text = frameClocks[side];
        if (text.empty()) {
            continue;
        }
        const float outside = kFrameWidth / 2.0f + 3.0f;
        const double x = side == White ? C3DObjTurnMarker::kWhiteX + outside
                                       : 200.0 - C3DObjTurnMarker::kWhiteX - outside;
        const double z =
            side == White ? C3DObjTurnMarker::kWhiteZ : -200.0 - C3DObjTurnMarker::kWhiteZ;
        const CWindowPoint at = place(x, z);
        if (!at.visible) {
            continue;
        }
        const float width = TextWidth(text);
        const double left = at.x > centre.x ? at.x : at.x - width;
        const auto column = static_cast<unsigned>(
            std::clamp(left, 2.0, std::max(2.0, viewportWidth - width - 2.0)));
        const auto row = static_cast<unsigned>(
            std::clamp(at.y - kFontHeight / 2.0, 2.0, viewportHeight - kFontHeight - 2.0));
        const float shade = side == frameSideToMove ? 1.0f : 0.72f;
        PrintText(column + 1, row + 1, 0.05f, 0.05f, 0.05f, text);
        PrintText(column, row, shade, shade, shade, text);
    }
}

void CScene::DrawGameOver() {
    const int result = gameResult;
    if (result < 0 || result > 2) {
        return;
    }
    static constexpr std::string_view outcomes[] = {strings::kWhiteWon, strings::kBlackWon,
                                                    strings::kDraw};
    const std::u32string text =
        Widen(strings::kGameOver) + U" - " + Widen(outcomes[static_cast<std::size_t>(result)]);
    PrintText(10, 10, 1.0f, 1.0f, 1.0f, text);
}

// The counter shows only while frames are drawn back to back with a measuring window of at
// least 500 ms, and counts only then.
void CScene::DrawFps() {
    if (!sceneReady || continuousRedraw == 0 || fpsInterval < 500 || !showFps) {
        return;
    }
    char text[32];
    std::snprintf(text, sizeof text, "%.0f fps", static_cast<double>(fps));
    PrintText(static_cast<unsigned>(viewportWidth - 50), 10, 1.0f, 1.0f, 1.0f, Widen(text));
    const std::uint32_t interval = fpsInterval;
    if (TickCount() - fpsStartTick < interval) {
        ++fpsFrames;
    } else {
        fps = static_cast<float>(fpsFrames) * 1000.0f / static_cast<float>(interval);
        fpsStartTick = TickCount();
        fpsFrames = 0;
    }
}
