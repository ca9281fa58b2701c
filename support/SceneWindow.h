#pragma once

#include "platform/GLSurface.h"
#include "platform/qt/QtPlatform.h"
#include "scene/Scene.h"

#include <atomic>
#include <memory>
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

    bool WaitUntilShown() {
        return RunEventLoopUntil([this] { return window->IsGLWindowExposed(); }, 10000);
    }
    // Starts the render thread and waits until the scene is built.
    bool StartRendering(int timeoutMs = 60000) {
        running = true;
        renderer = std::thread([this] { scene.RenderThread(window->Surface(), running); });
        return RunEventLoopUntil([this] { return scene.sceneReady.load(); }, timeoutMs);
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
