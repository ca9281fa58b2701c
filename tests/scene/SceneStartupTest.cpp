#include "platform/GLSurface.h"
#include "scene/Scene.h"

#include <gtest/gtest.h>

namespace {

// A window on which no context can be made.
class CBrokenSurface : public IGLSurface {
public:
    bool CreateContext(std::string& error) override {
        error = "Cannot create the OpenGL context!";
        return false;
    }
    void SwapBuffers() override { ++swaps; }
    void DestroyContext() override {}
    int Width() const override { return 640; }
    int Height() const override { return 480; }
    int DesktopWidth() const override { return 1280; }
    int DesktopHeight() const override { return 1024; }
    void SetResizeHandler(std::function<void(int, int)>) override {}
    void SetExposeHandler(std::function<void()>) override {}
    std::vector<CGlyphBitmap> RasterizeGlyphs(char32_t, int) override { return {}; }
    void ReportFatalError(const std::string& text) override { reports.push_back(text); }

    std::vector<std::string> reports;
    int swaps = 0;
};

} // namespace

// Without a context the render thread tells the user why and ends at once, without drawing.
TEST(SceneStartup, AFailedContextIsReportedAndEndsTheRenderThread) {
    CChessSet chessSet;
    CScene scene(chessSet);
    CBrokenSurface surface;
    const std::atomic<bool> running{true};
    scene.RenderThread(surface, running);
    ASSERT_EQ(surface.reports.size(), 1u);
    EXPECT_EQ(surface.reports[0], "OpenGL could not be started: Cannot create the OpenGL context!");
    EXPECT_EQ(surface.swaps, 0);
    EXPECT_FALSE(scene.RenderRunning());
}
