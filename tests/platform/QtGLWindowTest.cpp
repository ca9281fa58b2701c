#include "GLXProbe.h"
#include "QtTestEnvironment.h"
#include "platform/RendererKind.h"

#include <GL/gl.h>
#include <array>
#include <atomic>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <thread>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

namespace {

constexpr int kTimeoutMs = 10000;
constexpr auto kRedrawFor = std::chrono::seconds(5);
// Each channel a whole multiple of 1/255, so that it reads back exactly.
constexpr std::array<int, 3> kClearColour{51, 102, 204};

std::unique_ptr<CQtMainWindowHandle> ShowMainWindow() {
    auto window = CreateMainWindow();
    window->Show();
    EXPECT_TRUE(RunEventLoopUntil([&] { return window->IsGLWindowExposed(); }, kTimeoutMs));
    return window;
}

// Runs `work` on a thread of its own, as the render thread would, while this thread keeps
// handling the window system's events.
void RunOnRenderThread(const std::function<void()>& work) {
    std::atomic<bool> finished{false};
    std::thread render([&] {
        work();
        finished.store(true);
    });
    EXPECT_TRUE(RunEventLoopUntil([&] { return finished.load(); }, kTimeoutMs));
    render.join();
}

int Scaled(int length, double ratio) {
    return static_cast<int>(std::lround(length * ratio));
}

TEST(QtGLWindowTest, MainWindowShowsTheGLWindowBelowTheControlStripAndFollowsResizes) {
    auto window = ShowMainWindow();
    EXPECT_EQ("Tavrin", window->Title());
    EXPECT_EQ(1024, window->Width());
    EXPECT_EQ(768, window->Height());

    IGLSurface& surface = window->Surface();
    ASSERT_GT(surface.Width(), 0);
    const double ratio = surface.Width() / 1024.0; // device pixels per window pixel
    EXPECT_EQ(Scaled(768 - 30, ratio), surface.Height());
    EXPECT_GE(surface.DesktopWidth(), 640);
    EXPECT_GE(surface.DesktopHeight(), 480);

    std::vector<std::pair<int, int>> resizes;
    bool onInterfaceThread = true;
    const auto interfaceThread = std::this_thread::get_id();
    surface.SetResizeHandler([&](int width, int height) {
        resizes.emplace_back(width, height);
        onInterfaceThread = onInterfaceThread && std::this_thread::get_id() == interfaceThread;
    });
    window->Resize(800, 600);
    const std::pair<int, int> expected{Scaled(800, ratio), Scaled(600 - 30, ratio)};
    EXPECT_TRUE(RunEventLoopUntil([&] { return !resizes.empty() && resizes.back() == expected; },
                                  kTimeoutMs));
    EXPECT_EQ(expected, std::make_pair(surface.Width(), surface.Height()));
    EXPECT_TRUE(onInterfaceThread);
    surface.SetResizeHandler(nullptr);
}

TEST(QtGLWindowTest, ContextMadeOnARenderThreadDrawsSwapsAndIsReleased) {
    auto window = ShowMainWindow();
    IGLSurface& surface = window->Surface();
    const int width = surface.Width();
    const int height = surface.Height();

    std::string error;
    bool created = false;
    GLboolean doubleBuffered = GL_FALSE;
    GLint depthBits = 0;
    GLenum fixedFunctionError = GL_NO_ERROR;
    std::array<GLubyte, 3> drawn{};
    std::array<int, 3> presented{};
    bool currentAfterDestroy = true;
    RunOnRenderThread([&] {
        created = surface.CreateContext(error);
        if (!created) {
            return;
        }
        glGetBooleanv(GL_DOUBLEBUFFER, &doubleBuffered);
        glGetIntegerv(GL_DEPTH_BITS, &depthBits);
        // Fixed-function calls fail in a core-profile context.
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glMatrixMode(GL_MODELVIEW);
        fixedFunctionError = glGetError();

        glViewport(0, 0, width, height);
        glClearColor(kClearColour[0] / 255.0f, kClearColour[1] / 255.0f, kClearColour[2] / 255.0f,
                     1.0f);
        // Another test's window may lie over this one for a moment; while it does, the X
        // server shows that one, so the frame is drawn again until it shows through.
        const auto deadline = std::chrono::steady_clock::now() + kRedrawFor;
        do {
            glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
            glReadPixels(width / 2, height / 2, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, drawn.data());
            surface.SwapBuffers();
            glFinish();
            presented = PresentedPixel(width / 2, height / 2);
        } while (presented != kClearColour && std::chrono::steady_clock::now() < deadline);

        surface.DestroyContext();
        currentAfterDestroy = HasCurrentGLContext();
    });

    ASSERT_TRUE(created) << error;
    EXPECT_EQ(GL_TRUE, doubleBuffered);
    EXPECT_GE(depthBits, 16);
    EXPECT_EQ(GLenum{GL_NO_ERROR}, fixedFunctionError);
    EXPECT_EQ(kClearColour, (std::array<int, 3>{drawn[0], drawn[1], drawn[2]}));
    EXPECT_EQ(kClearColour, presented);
    EXPECT_FALSE(currentAfterDestroy);
}

TEST(QtGLWindowTest, ContextCannotBeMadeCurrentBeforeTheWindowIsShown) {
    auto window = CreateMainWindow();
    std::string error;
    bool created = true;
    RunOnRenderThread([&] { created = window->Surface().CreateContext(error); });
    EXPECT_FALSE(created);
    EXPECT_EQ("Cannot make the OpenGL context current!", error);
}

TEST(QtGLWindowTest, FatalErrorFromAnotherThreadEndsTheEventLoopWithANonZeroCode) {
    auto window = CreateMainWindow();
    std::thread reporter([&] { window->Surface().ReportFatalError("Cannot initialise OpenGL"); });
    reporter.join();

    // Ends the process should the event loop never be told to stop.
    std::mutex mutex;
    std::condition_variable changed;
    bool loopEnded = false;
    std::thread watchdog([&] {
        std::unique_lock lock(mutex);
        if (!changed.wait_for(lock, std::chrono::milliseconds(kTimeoutMs),
                              [&] { return loopEnded; })) {
            std::fputs("The event loop did not end after a fatal error\n", stderr);
            std::abort();
        }
    });
    const int exitCode = TestApplication().Exec();
    {
        std::lock_guard lock(mutex);
        loopEnded = true;
    }
    changed.notify_one();
    watchdog.join();
    EXPECT_EQ(1, exitCode);
}

} // namespace

TEST(RendererKindTest, MesasSoftwareRenderersAreKnownByName) {
    // clang-format off
    const std::pair<const char*, bool> cases[] = {
        {"llvmpipe (LLVM 15.0.6, 256 bits)", true}, {"softpipe", true}, {"Mesa DRI swrast", true},
        {"LLVMPIPE", true}, {"Mesa Intel(R) UHD Graphics 620 (KBL GT2)", false},
        {"NVIDIA GeForce GTX 1060/PCIe/SSE2", false},
        {"AMD Radeon RX 580 (radeonsi, polaris10, LLVM 15.0.6)", false}, {"", false}};
    // clang-format on
    for (const auto& [name, software] : cases) {
        EXPECT_EQ(IsSoftwareRenderer(name), software) << name;
    }
}
