#pragma once

#include "gametable/GameTable.h"
#include "notation/NotationDocument.h"
#include "platform/ShellEvents.h"
#include "platform/ShellPlatform.h"
#include "shell/GamesTableAdapter.h"

#include <atomic>
#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

class CAnnotationJob;
class CGameExportJob;
class IGLSurface;
struct SExportOutcome;
class CBackgroundLoad;
class CGamePlayer;
class CSearchKeysJob;
class ISceneView;

// The program's interface thread: it builds the main window's menu and controls, starts and
// ends the render thread, and turns commands, mouse and keys into calls on the player, the
// scene and its camera. All members run on the interface thread.
class CShell final : public IShellEvents {
public:
    // The exit code of the program when its window is closed.
    static constexpr int kExitCodeOnClose = 18;

    CShell(IShellPlatform& platform, ISceneView& scene, CGamePlayer& player);
    // Shuts down if Shutdown was not called.
    ~CShell() override;
    CShell(const CShell&) = delete;
    CShell& operator=(const CShell&) = delete;

    // Menu, controls (disabled until a file is listed), the player's end-of-game callback and
    // the default durations (600 ms, 1 s); then shows the window. The render thread is not
    // started yet.
    void CreateWindows();
    // Starts the render thread on the GL window.
    void StartRenderThread();
    // Loads `path` once the event loop runs, as if it had been chosen in the open-file dialog.
    void OpenAtStart(const std::string& path);
    // Ends the render thread and waits for it; the windows may then be destroyed.
    void Shutdown();

    // Carries out command `id` with notification `code`; returns whether it was handled.
    bool HandleCommand(int id, int code);
    // Shows the open-file dialog; true with the chosen path, false when cancelled.
    bool ChoosePGNFile(std::string& path);
    // Loads a PGN file on a worker thread, after the loads asked for before it; once read, its
    // games are listed and the first game of the list is chosen. A failure or dropped games are
    // reported in a box.
    void LoadPGNFile(const std::string& path);
    // Fills the game list from the player's list of games.
    void FillGameList();
    // True while a load runs or waits, or the games table has yet to follow the last one.
    bool LoadRunning() const {
        return load != nullptr || !pendingLoads.empty() || keysJob != nullptr;
    }
    void ShowPlayGlyph();
    void ShowPauseGlyph();

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
    void OnNotationLink(int link) override;
    void OnNotationPanelClosed() override;

    // IShellEvents: the games table (ShellGamesTable.cpp).
    void OnGamesTableHeaderClicked(int column) override;
    void OnGamesTableSearchChanged(const std::string& text) override;
    void OnGamesTableRowChosen(int row) override;
    void OnGamesTableClosed() override;

    bool Playing() const { return playing; }
    bool FpsShown() const { return fpsMark; }
    bool SmoothEdgesShown() const { return smoothEdgesMark; }
    bool Rotating() const { return rotating; }
    bool Shifting() const { return shifting; }

    // How long "Save picture..." waits for the render thread's picture; 5 s unless changed.
    void SetCaptureTimeout(int milliseconds) { captureTimeoutMs = milliseconds; }

private:
    // Ends playback and rewinds the current game, when a game is listed.
    void StopPlayback();
    // Hands the GL window's client size to the render thread, once that has started.
    void UpdateGLWindowSize();
    // The commands of the Game menu and "Save picture...", then those of the games table.
    bool HandleGameCommand(int id);
    // Switches playback off and ends the player thread, leaving the game where it is.
    void PauseForStep();
    void ChooseNeighbourGame(int step);
    void SavePicture();
    // Sets the mark of "View > Smooth edges" and tells the scene.
    void ShowSmoothEdges(bool on);
    // "Tavrin - " and the current game's list title, or "Tavrin" while no game is listed; the
    // games table selects the game's row.
    void UpdateTitle();
    // Starts the next waiting load, unless one runs.
    void StartNextLoad();
    // The worker's progress, shown once the load has run for a while.
    void ShowLoadProgress();
    // Takes over the outcome of the load that has ended: lists its games or reports why not.
    void FinishLoad();
    // Ends the running load and drops the waiting ones; nothing of theirs is listed.
    void CancelLoads();
    // "Close all games": no load, no playback, no game listed, the initial position on show.
    void CloseAllGames();
    // Whether games of this file (the same file by any path) are listed.
    bool IsListed(const std::string& path) const;
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
    // The notation panel follows the game and the position on show: its game's notation is
    // made again when another game is on show, its current move on every call.
    void RefreshNotation();
    // Keeps the panel's width for the next run, when it is shown.
    void SaveNotationPanelWidth();

    // Variations of the annotated game (ShellNotation.cpp). The position on show is off the
    // main line while variationMove is a tree move; every command but the steps returns to it.
    // Reads the annotations of game `index` on a worker; the panel shows them when they come.
    void ReadAnnotations(int index);
    void FinishAnnotations(unsigned request);
    // Shows the position after tree move `move` (the game's start for kNone) at once.
    void ShowTreePosition(int move);
    // Right and Left while a variation's position is on show; false for anything else.
    bool StepInVariation(int id);
    // Back to the main line where the variation on show branches off it, before playback.
    void ReturnToMainLine();

    // "Export video..." (ShellExport.cpp): the dialog, then the export of the game on show on
    // a worker, its progress with Cancel, and the outcome in a box.
    void ExportVideo();
    void FinishExport(unsigned job, const SExportOutcome& outcome);
    // Asks a running export to stop; its outcome then ends it.
    void CancelExport();
    // Cancels a running export and waits for its worker.
    void EndExport();

    // The games table (ShellGamesTable.cpp).
    void CreateGamesTable();
    bool HandleGamesTableCommand(int id);
    void ShowGamesTable(bool shown);
    // Shows game `index` as a choice in the game list does: playback stops, the game is
    // selected, the list's selection, the title and the table follow. Out of range: only stops.
    void ChooseGame(int index);
    // The game `step` places after the one on show: in the table's order while it has one of
    // its own, else in the list's. None past either end.
    std::optional<std::size_t> NeighbourGame(int step) const;
    // The table follows the player's list: at once when it was emptied, else once the search
    // keys of its new games are made on a worker.
    void FollowGameList();
    void FinishSearchKeys();
    // Rows, count and the selected row anew.
    void RefreshGamesTable();
    // Selects the row of the game on show when the filter lets it through, none else.
    void SelectGameInTable();

    IShellPlatform& platform;
    ISceneView& scene;
    CGamePlayer& player;

    // True while the user has playback switched on; the player thread reads and clears it.
    std::atomic<bool> playing{false};
    bool fpsMark = false;
    bool smoothEdgesMark = false;
    int listedGames = 0;
    int captureTimeoutMs = 5000;

    std::atomic<bool> appRunning{false};
    std::thread renderThread;

    std::unique_ptr<CBackgroundLoad> load; // the load that runs
    std::deque<std::string> pendingLoads;  // loads asked for while it runs
    std::uint32_t loadStartTick = 0;

    bool panelMark = true;
    bool figurinesMark = false;
    bool flippedMark = false;
    bool lastMoveMark = true;
    bool checkMark = true;
    bool coordinatesMark = true;
    int notationGameIndex = -1; // the game whose notation is held, -1 for none
    CNotationGame notationGame;
    int variationMove = CAnnotatedGame::kNone;
    unsigned annotationRequest = 0; // the latest; the annotations of older ones are dropped
    std::map<unsigned, std::unique_ptr<CAnnotationJob>> annotationJobs;

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

    // The games table.
    CGameTable gameTable;
    CGamesTableContent gamesTableContent{gameTable};
    std::unique_ptr<CSearchKeysJob> keysJob; // the keys of the list the table is to follow
    bool gamesTableShown = false;
};
