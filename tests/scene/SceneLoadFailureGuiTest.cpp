#include "platform/GLSurface.h"
#include "platform/qt/QtPlatform.h"
#include "scene/Scene.h"

#include <filesystem>
#include <mutex>
#include <thread>

#include <gtest/gtest.h>

namespace {

// The real window, with fatal errors recorded instead of ending the program.
class CRecordingSurface : public IGLSurface {
public:
    explicit CRecordingSurface(IGLSurface& real) : real(real) {}
    bool CreateContext(std::string& error) override { return real.CreateContext(error); }
    void SwapBuffers() override { real.SwapBuffers(); }
    void DestroyContext() override { real.DestroyContext(); }
    int Width() const override { return real.Width(); }
    int Height() const override { return real.Height(); }
    int DesktopWidth() const override { return real.DesktopWidth(); }
    int DesktopHeight() const override { return real.DesktopHeight(); }
    void SetResizeHandler(std::function<void(int, int)> handler) override {
        real.SetResizeHandler(std::move(handler));
    }
    void SetExposeHandler(std::function<void()> handler) override {
        real.SetExposeHandler(std::move(handler));
    }
    std::vector<CGlyphBitmap> RasterizeGlyphs(char32_t first, int count) override {
        return real.RasterizeGlyphs(first, count);
    }
    void ReportFatalError(const std::string& text) override {
        const std::lock_guard lock(mutex);
        reports.push_back(text);
    }
    std::vector<std::string> Reports() {
        const std::lock_guard lock(mutex);
        return reports;
    }

private:
    IGLSurface& real;
    std::mutex mutex;
    std::vector<std::string> reports;
};

} // namespace

// A model file that cannot be read stops the loading at once and names the file and the
// reason; the scene is never built.
TEST(SceneLoadFailureGui, AMissingModelIsReportedByName) {
    const std::filesystem::path repo = std::filesystem::current_path();
    const std::filesystem::path dir =
        std::filesystem::path(testing::TempDir()) / "tavrin_missing_model";
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir / "gfx");
    for (const auto& entry : std::filesystem::directory_iterator(repo / "gfx")) {
        if (entry.path().filename() != "Knight.obj") {
            std::filesystem::copy_file(entry.path(), dir / "gfx" / entry.path().filename());
        }
    }
    std::filesystem::current_path(dir);

    std::unique_ptr<CQtMainWindowHandle> window = CreateMainWindow();
    window->Show();
    ASSERT_TRUE(RunEventLoopUntil([&] { return window->IsGLWindowExposed(); }, 10000));
    CRecordingSurface surface(window->Surface());
    CChessSet chessSet;
    CScene scene(chessSet);
    std::atomic<bool> running{true};
    std::thread renderer([&] { scene.RenderThread(surface, running); });
    const bool reported = RunEventLoopUntil([&] { return !surface.Reports().empty(); }, 30000);
    running = false;
    renderer.join();
    std::filesystem::current_path(repo);

    ASSERT_TRUE(reported);
    EXPECT_EQ(surface.Reports().front(),
              "Cannot load the piece model 'gfx/Knight.obj': AFileReader::LoadFile(): Cannot "
              "determine file size!");
    EXPECT_FALSE(scene.sceneReady);
}
