#include "export/GameExport.h"
#include "gametable/SearchKeysJob.h"
#include "notation/AnnotationJob.h"
#include "platform/GLSurface.h"
#include "player/GamePlayer.h"
#include "resources/CommandIds.h"
#include "resources/MainMenu.h"
#include "resources/StringTable.h"
#include "scene/SceneView.h"
#include "shell/BackgroundLoad.h"
#include "shell/Shell.h"

namespace {

// The default durations, chosen through their menu items so that the marks agree.
constexpr int kDefaultAnimationItem = ids::kFirstAnimationDuration + 3; // 600 ms
constexpr int kDefaultPauseItem = ids::kFirstPauseDuration + 3;         // 1 s

} // namespace

CShell::CShell(IShellPlatform& platform, ISceneView& scene, CGamePlayer& player)
    : platform(platform), scene(scene), player(player) {
}

CShell::~CShell() {
    Shutdown();
}

void CShell::CreateWindows() {
    platform.SetWindowTitle(std::string(strings::kTitle));
    platform.CreateMenuBar(mainmenu::Build());
    platform.EnableControl(ids::kGameList, false);
    platform.SetControlText(ids::kStopButton, glyphs::kStop);
    platform.EnableControl(ids::kStopButton, false);
    ShowPlayGlyph();
    platform.EnableControl(ids::kPlayPauseButton, false);

    // The player calls this on its own thread, after clearing `playing`; the button belongs to
    // the interface thread. A game started again meanwhile keeps its pause glyph.
    player.onGameEnd = [this] {
        platform.PostToInterfaceThread([this] {
            if (!playing) {
                ShowPlayGlyph();
            }
        });
    };
    player.onStep = [this] { platform.PostToInterfaceThread([this] { RefreshNotation(); }); };
    ApplyViewSettings();

    // The renderer draws only when something changed; a window that covered the view is such
    // a change.
    platform.GLSurface().SetExposeHandler([this] { scene.RequestRedraw(); });

    // Smooth edges cost a software renderer more than they give; hardware draws them at once.
    ShowSmoothEdges(platform.GLSurface().HardwareAccelerated());
    HandleCommand(kDefaultAnimationItem, 0);
    HandleCommand(kDefaultPauseItem, 0);
    CreateGamesTable();
    platform.ShowMainWindow();
}

void CShell::StartRenderThread() {
    if (renderThread.joinable()) {
        return;
    }
    appRunning = true;
    IGLSurface& surface = platform.GLSurface();
    renderThread = std::thread([this, &surface] { scene.RenderThread(surface, appRunning); });
}

void CShell::OpenAtStart(const std::string& path) {
    platform.PostToInterfaceThread([this, path] { LoadPGNFile(path); });
}

void CShell::Shutdown() {
    if (appRunning) {
        SaveNotationPanelWidth();
    }
    CancelLoads();
    load.reset(); // waits for its worker
    EndExport();  // its view shares the render thread's buffers and textures
    keysJob.reset();
    annotationJobs.clear();             // waits for their workers
    platform.DetachGamesTableContent(); // the window outlives the shell, which owns the content
    appRunning = false;
    if (renderThread.joinable()) {
        renderThread.join();
    }
}

void CShell::UpdateGLWindowSize() {
    if (!renderThread.joinable()) {
        return; // the render thread reads the size itself when it starts
    }
    const IGLSurface& surface = platform.GLSurface();
    scene.RequestResize(surface.Width(), surface.Height());
}

// Maximising and restoring reach the renderer at once; a frame drag only when it ends.
void CShell::OnSize(EWindowSizeKind kind) {
    if (kind == EWindowSizeKind::Maximized) {
        maximized = true;
        UpdateGLWindowSize();
    } else if (kind == EWindowSizeKind::Restored && maximized) {
        maximized = false;
        UpdateGLWindowSize();
    }
}

void CShell::OnMoving() {
    if (!moveGuard) {
        scene.BeginWindowMove();
        moveGuard = true;
    }
}

void CShell::OnExitSizeMove() {
    UpdateGLWindowSize();
    // Only a drag counted by OnMoving gives its count back.
    if (moveGuard) {
        moveGuard = false;
        scene.EndWindowMove();
    }
}

void CShell::ShowSmoothEdges(bool on) {
    smoothEdgesMark = on;
    platform.SetMenuItemChecked(ids::kSmoothEdges, on);
    scene.SetSmoothEdges(on);
    scene.RequestRedraw();
}

// A load that runs ends at once; nothing of it is listed.
void CShell::OnClose() {
    CancelLoads();
    platform.PostQuit(kExitCodeOnClose);
}
