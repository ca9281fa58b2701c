#include "common/GeneralException.h"
#include "common/TextDecoding.h"
#include "common/Ticks.h"
#include "player/GamePlayer.h"
#include "resources/CommandIds.h"
#include "resources/MainMenu.h"
#include "resources/StringTable.h"
#include "scene/SceneView.h"
#include "shell/BackgroundLoad.h"
#include "shell/ListTitle.h"
#include "shell/LoadMessages.h"
#include "shell/Shell.h"

#include <filesystem>

namespace {

constexpr int kGameListDroppedWidth = 600;
// A load that takes longer than this shows its progress.
constexpr std::uint32_t kProgressDelayMs = 300;

} // namespace

bool CShell::OnCommand(int id, int code) {
    const bool handled = HandleCommand(id, code);
    if (handled) {
        RefreshNotation();
    }
    if (handled && id != ids::kFocusGamesTable) {
        // Keys such as Esc reach the window again at once after a click on a control.
        platform.FocusMainWindow();
    }
    return handled;
}

bool CShell::HandleCommand(int id, int code) {
    if (id >= ids::kFirstAnimationDuration && id <= ids::kLastAnimationDuration) {
        player.SetAnimationDuration(
            mainmenu::kAnimationDurations[id - ids::kFirstAnimationDuration]);
        platform.CheckMenuRadioItem(id);
        return true;
    }
    if (id >= ids::kFirstPauseDuration && id <= ids::kLastPauseDuration) {
        player.SetPauseDuration(mainmenu::kPauseDurations[id - ids::kFirstPauseDuration]);
        platform.CheckMenuRadioItem(id);
        return true;
    }
    switch (id) {
    case ids::kAbout:
        platform.ShowMessageBox(EMessageBoxKind::Information, std::string(strings::kAbout),
                                std::string(strings::kAboutText));
        return true;
    case ids::kLoadPgnFile: {
        std::string path;
        if (ChoosePGNFile(path)) {
            LoadPGNFile(path);
        }
        return true;
    }
    case ids::kDisplayFps:
        fpsMark = !fpsMark;
        platform.SetMenuItemChecked(ids::kDisplayFps, fpsMark);
        scene.ShowFps(fpsMark);
        scene.RequestRedraw();
        return true;
    case ids::kSmoothEdges:
        ShowSmoothEdges(!smoothEdgesMark);
        return true;
    case ids::kStopButton:
        StopPlayback();
        return true;
    case ids::kCancelLoad:
        CancelLoads();
        return true;
    case ids::kCloseAllGames:
        CloseAllGames();
        return true;
    case ids::kExportVideo:
        ExportVideo();
        return true;
    case ids::kCancelExport:
        CancelExport();
        return true;
    case ids::kPlayPauseButton:
        if (playing) {
            playing = false;
            ShowPlayGlyph();
        } else if (!player.PlayerRunning() && listedGames > 0) {
            ReturnToMainLine();
            playing = true;
            player.Play(playing);
            ShowPauseGlyph();
        }
        return true;
    case ids::kGameList:
        if (code == ids::kSelectionChanged) {
            ChooseGame(platform.GameListSelection());
            return true;
        }
        return code == ids::kSelectionEndedOk || code == ids::kSelectionEndedCancel;
    default:
        return HandleGameCommand(id);
    }
}

void CShell::StopPlayback() {
    playing = false;
    variationMove = CAnnotatedGame::kNone;
    ShowPlayGlyph();
    // With no game listed there is no player thread and no game to rewind.
    if (listedGames > 0) {
        player.Stop();
    }
}

bool CShell::ChoosePGNFile(std::string& path) {
    return platform.ChooseOpenFile(
        {std::string(strings::kFileFilter), std::string(strings::kAllFilesFilter)}, path);
}

void CShell::LoadPGNFile(const std::string& path) {
    if (IsListed(path) &&
        !platform.AskYesNo(std::string(strings::kTitle),
                           DecodeToUtf8(path) + std::string(strings::kAlreadyListed))) {
        return;
    }
    pendingLoads.push_back(path);
    StartNextLoad();
}

void CShell::StartNextLoad() {
    if (load != nullptr || pendingLoads.empty()) {
        return;
    }
    const std::string path = std::move(pendingLoads.front());
    pendingLoads.pop_front();
    loadStartTick = TickCount();
    load = std::make_unique<CBackgroundLoad>(
        player, path, [this] { platform.PostToInterfaceThread([this] { ShowLoadProgress(); }); },
        [this] { platform.PostToInterfaceThread([this] { FinishLoad(); }); });
}

void CShell::ShowLoadProgress() {
    if (load == nullptr || TickCount() - loadStartTick < kProgressDelayMs) {
        return;
    }
    platform.ShowLoadProgress(true);
    platform.SetLoadProgress(static_cast<int>(load->Fraction() * 100.0));
}

bool CShell::IsListed(const std::string& path) const {
    std::error_code error;
    const std::filesystem::path wanted = std::filesystem::weakly_canonical(path, error);
    if (error) {
        return false;
    }
    for (const auto& batch : player.Games()->Batches()) {
        const std::filesystem::path listed =
            std::filesystem::weakly_canonical(batch->File()->path, error);
        if (!error && listed == wanted) {
            return true;
        }
    }
    return false;
}

void CShell::CloseAllGames() {
    CancelLoads();
    playing = false;
    ShowPlayGlyph();
    player.Pause();
    player.Clear();
    player.ShowInitialPosition();
    FillGameList();
    UpdateTitle();
}

void CShell::CancelLoads() {
    pendingLoads.clear();
    if (load != nullptr) {
        load->Cancel();
    }
}

// A failed or cancelled load leaves the list, the game on show and playback as they were.
void CShell::FinishLoad() {
    if (load == nullptr) {
        return;
    }
    load->Join();
    const std::unique_ptr<CBackgroundLoad> ended = std::move(load);
    platform.ShowLoadProgress(false);
    if (ended->Cancelled()) {
        StartNextLoad();
        return;
    }
    if (ended->Failed()) {
        platform.ShowMessageBox(
            EMessageBoxKind::Error, std::string(strings::kError),
            LoadFailureText(ended->Path(), ended->PlainReason(), ended->Failure()));
        StartNextLoad();
        return;
    }
    StopPlayback();
    const CLoadReport report = ended->Result().report;
    player.Append(std::move(ended->Result()));
    FillGameList();
    if (listedGames > 0) {
        player.SelectGame(0);
    }
    UpdateTitle();
    RefreshNotation();
    const std::string dropped = DroppedGamesText(ended->Path(), report);
    if (!dropped.empty()) {
        platform.ShowMessageBox(EMessageBoxKind::Warning, std::string(strings::kWarning), dropped);
    }
    StartNextLoad();
}

// The entries are titled from the list as it is now, on demand.
void CShell::FillGameList() {
    const std::shared_ptr<const CGameListSnapshot> games = player.Games();
    listedGames = static_cast<int>(games->Size());
    notationGameIndex = -1; // the list has changed: an index may now name another game
    platform.SetGameListEntries(listedGames, [games](int index) {
        return ListTitle(*games, static_cast<std::size_t>(index));
    });
    const bool any = listedGames > 0;
    if (any) {
        platform.SetGameListSelection(0);
        platform.SetGameListDroppedWidth(kGameListDroppedWidth);
    }
    platform.EnableControl(ids::kGameList, any);
    platform.EnableControl(ids::kStopButton, any);
    platform.EnableControl(ids::kPlayPauseButton, any);
    FollowGameList();
}

void CShell::ShowPlayGlyph() {
    platform.SetControlText(ids::kPlayPauseButton, glyphs::kPlay);
}

void CShell::ShowPauseGlyph() {
    platform.SetControlText(ids::kPlayPauseButton, glyphs::kPause);
}
