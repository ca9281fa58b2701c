#include "common/Ticks.h"
#include "platform/GLSurface.h"
#include "resources/StringTable.h"
#include "scene/Scene.h"

#include <GL/glew.h>
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
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    for (int i = 0; i < kFontGlyphs && i < static_cast<int>(glyphs.size()); ++i) {
        const CGlyphBitmap& glyph = glyphs[static_cast<std::size_t>(i)];
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
