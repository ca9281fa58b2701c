#include "common/GeneralException.h"
#include "common/TextDecoding.h"
#include "player/GamePlayer.h"
#include "resources/CommandIds.h"
#include "resources/MainMenu.h"
#include "resources/StringTable.h"
#include "scene/Scene.h"
#include "shell/LoadMessages.h"
#include "shell/Shell.h"

#include <exception>
#include <new>

namespace {

constexpr int kGameListDroppedWidth = 600;

} // namespace

bool CShell::OnCommand(int id, int code) {
    const bool handled = HandleCommand(id, code);
    if (handled) {
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
        scene.showFps = fpsMark;
        scene.RequestRedraw();
        return true;
    case ids::kSmoothEdges:
        ShowSmoothEdges(!smoothEdgesMark);
        return true;
    case ids::kStopButton:
        StopPlayback();
        return true;
    case ids::kPlayPauseButton:
        if (playing) {
            playing = false;
            ShowPlayGlyph();
        } else if (!player.PlayerRunning() && listedGames > 0) {
            playing = true;
            player.Play(playing);
            ShowPauseGlyph();
        }
        return true;
    case ids::kGameList:
        if (code == ids::kSelectionChanged) {
            const int index = platform.GameListSelection();
            StopPlayback();
            if (index >= 0 && index < listedGames) {
                player.SelectGame(static_cast<unsigned>(index));
                UpdateTitle();
            }
            return true;
        }
        return code == ids::kSelectionEndedOk || code == ids::kSelectionEndedCancel;
    default:
        return HandleGameCommand(id);
    }
}

void CShell::StopPlayback() {
    playing = false;
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

// A failed load, whatever its exception, leaves the list as it was; the player keeps its
// current game, rewound by the stop that comes first.
void CShell::LoadPGNFile(const std::string& path) {
    StopPlayback();
    std::vector<std::string> titles;
    CLoadReport report;
    try {
        player.Load(path);
        titles = player.GamesTitles();
        report = player.LastLoadReport();
    } catch (const CGeneralException& e) {
        platform.ShowMessageBox(EMessageBoxKind::Error, std::string(strings::kError),
                                LoadFailureText(e.GetMessage()));
        return;
    } catch (const std::bad_alloc&) {
        platform.ShowMessageBox(EMessageBoxKind::Error, std::string(strings::kError),
                                LoadFailureText("Not enough memory to read the file."));
        return;
    } catch (const std::exception& e) {
        platform.ShowMessageBox(EMessageBoxKind::Error, std::string(strings::kError),
                                LoadFailureText(e.what()));
        return;
    }
    FillGameList(titles);
    if (listedGames > 0) {
        player.SelectGame(0);
    }
    UpdateTitle();
    const std::string dropped = DroppedGamesText(report);
    if (!dropped.empty()) {
        platform.ShowMessageBox(EMessageBoxKind::Warning, std::string(strings::kWarning), dropped);
    }
}

void CShell::FillGameList(const std::vector<std::string>& titles) {
    platform.ResetGameList();
    for (const std::string& title : titles) {
        platform.AddGameListEntry(DecodeToUtf8(title));
    }
    listedGames = static_cast<int>(titles.size());
    const bool any = listedGames > 0;
    if (any) {
        platform.SetGameListSelection(0);
        platform.SetGameListDroppedWidth(kGameListDroppedWidth);
    }
    platform.EnableControl(ids::kGameList, any);
    platform.EnableControl(ids::kStopButton, any);
    platform.EnableControl(ids::kPlayPauseButton, any);
}

void CShell::ShowPlayGlyph() {
    platform.SetControlText(ids::kPlayPauseButton, glyphs::kPlay);
}

void CShell::ShowPauseGlyph() {
    platform.SetControlText(ids::kPlayPauseButton, glyphs::kPause);
}
