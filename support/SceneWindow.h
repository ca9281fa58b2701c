#pragma once

#include "platform/GLSurface.h"
#include "platform/qt/QtPlatform.h"
#include "scene/Scene.h"

#include <atomic>
#include <chrono>
#include <filesystem>
#include <future>
#include <memory>
#include <string>
#include <thread>

// The viewer's main window with the scene drawn by its own render thread, for the GUI tests
// and the benchmarks. Needs the application object to exist.
class CSceneWindow {
public:
    CSceneWindow() : window(CreateMainWindow()), scene(chessSet) {
        window->Surface().SetResizeHandler([this](int w, int h) { scene.RequestResize(w, h); });
        window->Show();
    }
    ~CSceneWindow() { StopRendering(); }

    // Shown, then rendering with the scene built; false when either takes too long.
    bool Start() { return WaitUntilShown() && StartRendering(); }

    bool WaitUntilShown() {
        return RunEventLoopUntil([this] { return window->IsGLWindowExposed(); }, 10000);
    }
    // Starts the render thread and waits until the scene is built.
    bool StartRendering(int timeoutMs = 60000) {
        running = true;
        renderer = std::thread([this] { scene.RenderThread(window->Surface(), running); });
        return RunEventLoopUntil([this] { return scene.SceneReady(); }, timeoutMs);
    }
    // A frame drawn after every change made so far; an empty image when none comes in 30 s.
    CFrameImage Capture() {
        scene.RequestRedraw();
        std::future<CFrameImage> frame = scene.RequestCapture();
        const auto ready = [&frame] {
            return frame.wait_for(std::chrono::seconds(0)) == std::future_status::ready;
        };
        return RunEventLoopUntil(ready, 30000) ? frame.get() : CFrameImage{};
    }
    // Writes a picture to build/pictures/<name>, for a look.
    void SavePicture(const CFrameImage& image, const std::string& name) {
        std::filesystem::create_directories("build/pictures");
        std::string error;
        window->Platform().SavePng("build/pictures/" + name, image, error);
    }

    void StopRendering() {
        running = false;
        if (renderer.joinable()) {
            renderer.join();
        }
    }

    std::unique_ptr<CQtMainWindowHandle> window;
    CChessSet chessSet;
    CScene scene;

private:
    std::atomic<bool> running{false};
    std::thread renderer;
};
