#include "analysis/GameAnalysisView.h"
#include "analysis/LiveAnalysisView.h"
#include "export/GameExport.h"
#include "messages/ListTitle.h"
#include "platform/GLSurface.h"
#include "player/GamePlayer.h"
#include "resources/CommandIds.h"
#include "resources/MainMenu.h"
#include "resources/StringTable.h"
#include "scene/SceneView.h"
#include "shell/BackgroundLoad.h"
#include "shell/Shell.h"

#include <array>

namespace {

// The default durations, chosen through their menu items so that the marks agree.
constexpr int kDefaultAnimationItem = ids::kFirstAnimationDuration + 3; // 600 ms
constexpr int kDefaultPauseItem = ids::kFirstPauseDuration + 3;         // 1 s

} // namespace

CShell::CShell(IShellPlatform& platform, ISceneView& scene, CGamePlayer& player)
    : platform(platform), scene(scene), player(player),
      notifier([&platform](
                   std::function<void()> task) { platform.PostToInterfaceThread(std::move(task)); },
               [this] { return ShownNow(); }),
      notationPanel(platform, player), gamesTable(platform),
      explorer(platform, [this] { return gamesTable.SearchResults(); }),
      openings(std::make_shared<const CListOpenings>()) {
    // The panel first: the clocks are read from the annotations it holds for the game on show.
    notifier.Subscribe(notationPanel);
    notifier.Subscribe(gamesTable);
    notifier.Subscribe(*this);
    notationPanel.onAnnotations = [this] {
        ShowClocks(notifier.Last());
        FollowWithEngine(notifier.Last());
    };
    gamesTable.onSearchChanged = [this] { explorer.SearchChanged(); };
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

    // The player calls these on its own thread, the second after clearing `playing`; the
    // window belongs to the interface thread. A game started again meanwhile keeps its pause
    // glyph. Shutdown stops the player before the shell goes.
    player.onStep = [this] { platform.PostToInterfaceThread([this] { ShowChanged(); }); };
    player.onGameEnd = [this] {
        platform.PostToInterfaceThread([this] {
            if (!playing) {
                ShowPlayGlyph();
            }
            ShowChanged();
        });
    };
    StartEngineViews();
    ApplyViewSettings();

    // The renderer draws only when something changed; a window that covered the view is such
    // a change.
    platform.GLSurface().SetExposeHandler([this] { scene.RequestRedraw(); });

    // Smooth edges cost a software renderer more than they give; hardware draws them at once.
    ShowSmoothEdges(platform.GLSurface().HardwareAccelerated());
    HandleCommand(kDefaultAnimationItem, 0);
    HandleCommand(kDefaultPauseItem, 0);
    gamesTable.Create();
    explorer.Create();
    ShowRecentFiles();
    platform.ShowStatus({}, false); // the line is there from the start: the view keeps its size
    ShowChanged();
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
    if (shutDown) {
        return;
    }
    shutDown = true;
    if (appRunning) {
        SaveNotationPanelWidth();
    }
    // The player thread reads `playing` and calls back into the shell: it ends first.
    playing = false;
    player.Pause();
    player.onStep = nullptr;
    player.onGameEnd = nullptr;
    CancelLoads();
    load.reset();         // waits for its worker
    EndExport();          // its view shares the render thread's buffers and textures
    gameAnalysis.reset(); // its run and the live engine end here
    liveAnalysis.reset();
    gamesTable.Shutdown();
    explorer.Shutdown();
    notationPanel.Shutdown();
    appRunning = false;
    if (renderThread.joinable()) {
        renderThread.join();
    }
}

CShowNotice CShell::ShownNow() const {
    CShowNotice notice;
    notice.playing = playing;
    notice.listGeneration = listGeneration;
    if (listedGames == 0) {
        return notice;
    }
    notice.game = static_cast<int>(player.GameIndex());
    if (shownGame == nullptr || shownGameIndex != notice.game ||
        shownGameGeneration != listGeneration) {
        shownGame = std::make_shared<const CChessGameData>(player.GetGameData(notice.game));
        shownGameIndex = notice.game;
        shownGameGeneration = listGeneration;
    }
    notice.gameData = shownGame;
    const CAnnotatedGame* tree = notationPanel.Tree();
    if (variationMove != CAnnotatedGame::kNone && tree != nullptr) {
        notice.variationMove = variationMove;
        notice.variationLine = tree->MovesTo(variationMove);
        notice.ply = static_cast<unsigned>(notice.variationLine.size());
    } else {
        notice.ply = player.MoveIndex();
    }
    if (!engineLine.empty()) {
        notice.variationLine = engineLine;
    }
    return notice;
}

// "Tavrin - " and the game's list title, or "Tavrin" while no game is listed.
void CShell::OnShowChanged(const CShowNotice& notice) {
    ShowClocks(notice);
    FollowWithEngine(notice);
    explorer.PositionChanged(notice.gameData ? notice.gameData->GetStart() : std::string(),
                             MovesToShownPosition(notice));
    if (!notice.gameChanged) {
        return;
    }
    platform.SetWindowTitle(WindowTitle(*player.Games(), notice.game));
}

// On the main line, the clocks are those the tree gives after its move of the ply on show.
void CShell::ShowClocks(const CShowNotice& notice) {
    const CAnnotatedGame* tree = notationPanel.Tree();
    const std::array<std::string, 2> clocks =
        tree != nullptr ? ClocksOnShow(*tree, notice.ply, notice.variationMove)
                        : std::array<std::string, 2>{};
    scene.SetClocks(clocks[White], clocks[Black]);
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
