#pragma once

#include "explorer/OpeningExplorer.h"
#include "messages/PlainMessage.h"
#include "pgn/TextParser.h"
#include "platform/ShellEvents.h"
#include "platform/ShellPlatform.h"
#include "shell/GamesTableAdapter.h"
#include "shell/NotationPanel.h"
#include "shell/ShowNotifier.h"

#include <atomic>
#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

class CGameAnalysisView;
class CGameExportJob;
class CLiveAnalysisView;
class IGLSurface;
struct SExportOutcome;
class CBackgroundLoad;
class CGamePlayer;
class ISceneView;

// The program's router on the interface thread: it builds the main window's menu and controls,
// starts and ends the render thread, and turns commands, mouse and keys into calls on the
// player, the scene and its camera, the loads, the games table and the notation panel. Whatever
// changes the game or the position on show ends in the one notice of CShowNotifier, which the
// title, the notation panel and the games table's selection follow; further listeners
// subscribe to it. All members run on the interface thread.
class CShell final : public IShellEvents, public IShowListener {
public:
    // The exit code of the program when its window is closed.
    static constexpr int kExitCodeOnClose = 18;

    CShell(IShellPlatform& platform, ISceneView& scene, CGamePlayer& player);
    // Shuts down if Shutdown was not called.
    ~CShell() override;
    CShell(const CShell&) = delete;
    CShell& operator=(const CShell&) = delete;

    // Menu, controls (disabled until a file is listed), the player's callbacks and the default
    // durations (600 ms, 1 s); then shows the window. The render thread is not started yet.
    void CreateWindows();
    // Starts the render thread on the GL window.
    void StartRenderThread();
    // Loads `path` once the event loop runs, as if it had been chosen in the open-file dialog.
    void OpenAtStart(const std::string& path);
    // Stops playback and joins the player thread, then the workers, then the render thread:
    // nothing the player's callbacks reach goes before the player has stopped. The shell may go
    // then, and the player after it; the windows may be destroyed. Once only; later calls do
    // nothing.
    void Shutdown();

    // Carries out command `id` with notification `code`; returns whether it was handled.
    bool HandleCommand(int id, int code);
    // Loads a PGN file on a worker thread, after the loads asked for before it; once read, its
    // games are listed and the first game of the list is chosen. A failure or dropped games are
    // reported in a box.
    void LoadPGNFile(const std::string& path);
    // Fills the game list from the player's list of games.
    void FillGameList();
    // True while a load runs or waits, or the games table has yet to follow the last one.
    bool LoadRunning() const {
        return load != nullptr || !pendingLoads.empty() || gamesTable.Following();
    }

    // The notice of "the game or position on show changed": a listener hears every notice from
    // the next one on (see IShowListener) until it unsubscribes, and must outlive that.
    void Subscribe(IShowListener& listener) { notifier.Subscribe(listener); }
    void Unsubscribe(IShowListener& listener) { notifier.Unsubscribe(listener); }

    // IShellEvents
    bool OnCommand(int id, int code) override;
    void OnSize(EWindowSizeKind kind) override;
    void OnMoving() override;
    void OnExitSizeMove() override;
    void OnClose() override;
    void OnRawMouseMotion(int dx, int dy) override;
    bool OnButtonDown(EMouseButton button) override;
    bool OnButtonUp(EMouseButton button) override;
    bool OnMouseWheel(int delta) override;
    bool OnKeyDown(int virtualKey) override;
    // Each file is loaded as if chosen in the open-file dialog.
    void OnFilesDropped(const std::vector<std::string>& paths) override;
    // Shows the position after the move clicked in the notation panel, pausing a playing game.
    // A click on a panel that does not yet show the game on show is ignored.
    void OnNotationLink(int link) override;
    void OnNotationPanelClosed() override;
    void OnGamesTableHeaderClicked(int column) override;
    void OnGamesTableSearchChanged(const std::string& text) override;
    // Shows the row's game as a choice in the game list does.
    void OnGamesTableRowChosen(int row) override;
    void OnGamesTableClosed() override;
    // Shows the main line's position at `ply`, as a click on its move in the panel would.
    void OnEvalGraphClicked(int ply) override;
    void OnEngineLineLink(int link) override;
    // Plays the row's move on the board, animated, in a game that played it there.
    void OnExplorerMoveChosen(int row) override;
    void OnExplorerClosed() override { explorer.OnClosed(); }

    // IShowListener: the window's title names the game on show, and the board's clocks show
    // those of the position on show as the game's annotations give them.
    void OnShowChanged(const CShowNotice& notice) override;

    bool Playing() const { return playing; }
    bool SmoothEdgesShown() const { return smoothEdgesMark; }
    bool Rotating() const { return rotating; }
    bool Shifting() const { return shifting; }

    // How long "Save picture..." waits for the render thread's picture; 5 s unless changed.
    void SetCaptureTimeout(int milliseconds) { captureTimeoutMs = milliseconds; }

private:
    // What is on show now, as the next notice will tell it.
    CShowNotice ShownNow() const;
    // The game or the position on show has changed (or may have).
    void ShowChanged() { notifier.Changed(); }
    void ShowPlayGlyph();
    void ShowPauseGlyph();
    // Ends playback and rewinds the current game, when a game is listed.
    void StopPlayback();
    // Hands the GL window's client size to the render thread, once that has started.
    void UpdateGLWindowSize();
    // The commands of the Game menu and "Save picture...", then those of the View menu and the
    // games table.
    bool HandleGameCommand(int id);
    // Right, Left and End on the main line.
    void Step(int id);
    // Switches playback off and ends the player thread, leaving the game where it is.
    void PauseForStep();
    // Shows game `index` as a choice in the game list does: playback stops, the game is
    // selected and the list's selection follows. Out of range: only stops.
    void ChooseGame(int index);
    void ChooseNeighbourGame(int step);
    // Shows the open-file dialog; true with the chosen path, false when cancelled.
    bool ChoosePGNFile(std::string& path);
    void SavePicture();
    // Sets the mark of "View > Smooth edges" and tells the scene.
    void ShowSmoothEdges(bool on);
    // Starts the next waiting load, unless one runs.
    void StartNextLoad();
    // The worker's progress, shown once the load has run for a while.
    void ShowLoadProgress();
    // Takes over the outcome of the load that has ended: lists its games or reports why not.
    void FinishLoad();
    // Ends the running load and drops the waiting ones; nothing of theirs is listed.
    void CancelLoads();
    // Ends the running load only; the waiting ones load next (the progress's Cancel).
    void CancelRunningLoad();
    // Lists the games read from `path`: the game on show stays unless none is or `showFirst`
    // (then the first new game is shown); the status line says what was added.
    void ListGames(CParsedText&& parsed, const std::string& path, bool showFirst,
                   CReadOpenings read);
    // Ctrl+V: the clipboard's games or FEN as "Pasted games"; bad text is reported, changes
    // nothing.
    void PasteGames();
    // Ctrl+C: the position on show as FEN; Ctrl+Shift+C: the game on show as PGN, annotated.
    void CopyPosition();
    void CopyGame();
    // "File > Open Recent": the ten files opened last, kept in the settings, the last first.
    void RememberRecentFile(const std::string& path);
    std::vector<std::string> RecentFiles() const;
    void ShowRecentFiles();
    // "Close all games": no load, no playback, no game listed, the initial position on show.
    void CloseAllGames();

    // A View option: a menu item with a mark kept in the user's settings.
    struct CViewOption {
        int id;
        const char* setting;
        bool byDefault;
        bool CShell::*mark;
    };
    static const CViewOption* FindViewOption(int id);
    // The commands of the View menu that the notation panel and the board answer.
    bool HandleViewCommand(int id);
    // Puts the camera at viewpoint item `id` (1, 2, 3; Esc: the default) and keeps the choice.
    void ChooseViewpoint(int id);
    // The View options as the user's settings hold them, applied at start.
    void ApplyViewSettings();
    // Shows option `id` as its mark now stands: the menu's check and what it switches.
    void ApplyViewOption(int id);
    // Keeps the panel's width for the next run, when it is shown.
    void SaveNotationPanelWidth();

    // Variations of the annotated game (ShellVariations.cpp). The position on show is off the
    // main line while variationMove is a tree move; every command but the steps returns to it.
    // Shows the position after tree move `move` (the game's start for kNone) at once.
    void ShowTreePosition(int move);
    // Right and Left while a variation's position is on show; false for anything else.
    bool StepInVariation(int id);
    // Back to the main line where the variation on show branches off it, before playback.
    void ReturnToMainLine();
    // An error box: the plain message, its technical text under "Details". A position of the
    // tree that cannot be shown (the tree and the game disagree) is reported so.
    void ReportFailure(const CPlainMessage& message);
    // The clocks of the position `notice` tells of, from the annotations the panel holds.
    void ShowClocks(const CShowNotice& notice);

    // "Export video..." (ShellExport.cpp): the dialog, then the export of the game on show on
    // a worker, its progress with Cancel, and the outcome in a box.
    void ExportVideo();
    void FinishExport(unsigned job, const SExportOutcome& outcome);
    // "Games with this position": the games table shows only the games reaching the position
    // on show, or all again.
    void FilterByPosition();

    // Asks a running export to stop; its outcome then ends it.
    void CancelExport();
    // Cancels a running export and waits for its worker.
    void EndExport();

    // The engine's views (ShellEngine.cpp): made with the windows, ended by Shutdown.
    void StartEngineViews();
    // Back from an engine line's position to the one it was clicked from; any command does it.
    void LeaveEngineLine();
    void FollowWithEngine(const CShowNotice& notice);

    IShellPlatform& platform;
    ISceneView& scene;
    CGamePlayer& player;

    // True while the user has playback switched on; the player thread reads and clears it.
    std::atomic<bool> playing{false};
    bool fpsMark = false;
    bool smoothEdgesMark = false;
    int listedGames = 0;
    unsigned listGeneration = 0; // counts the changes of the game list
    int captureTimeoutMs = 5000;
    bool shutDown = false;

    std::atomic<bool> appRunning{false};
    std::thread renderThread;

    std::unique_ptr<CBackgroundLoad> load; // the load that runs
    std::deque<std::string> pendingLoads;  // loads asked for while it runs
    std::uint32_t loadStartTick = 0;
    int firstAddedGame = -1; // the first game the last load or paste added
    static constexpr std::size_t kRecentFiles = 10;

    bool panelMark = true;
    bool figurinesMark = false;
    bool flippedMark = false;
    bool lastMoveMark = true;
    bool checkMark = true;
    bool coordinatesMark = true;
    int variationMove = CAnnotatedGame::kNone;

    bool maximized = false;
    bool moveGuard = false; // a move or frame drag has been counted in windowMoveRedraw

    bool dragActive = false;
    bool rotating = false;
    bool shifting = false;
    CScreenPoint savedCursor;

    // The running export, the surface it draws on, and a count of exports so that the
    // outcome of one that has gone is not taken for another's.
    std::unique_ptr<CGameExportJob> exportJob;
    std::unique_ptr<IGLSurface> exportSurface;
    unsigned exportCount = 0;
    std::string exportPath; // UTF-8, for the box that names the finished video

    // The game on show as the notices hand it out, kept while it stays on show.
    mutable std::shared_ptr<const CChessGameData> shownGame;
    mutable int shownGameIndex = -1;
    mutable unsigned shownGameGeneration = 0;

    std::unique_ptr<CLiveAnalysisView> liveAnalysis;
    std::unique_ptr<CGameAnalysisView> gameAnalysis;
    std::vector<CMove> engineLine; // an engine line's position on show; empty: none

    CShowNotifier notifier;
    CNotationPanel notationPanel;
    CGamesTableAdapter gamesTable;
    COpeningExplorer explorer;
    std::shared_ptr<const CListOpenings> openings; // of the listed games
};
