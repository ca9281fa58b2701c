#include "analysis/EngineCommands.h"
#include "player/GamePlayer.h"
#include "resources/CommandIds.h"
#include "resources/MainMenu.h"
#include "resources/StringTable.h"
#include "scene/SceneView.h"
#include "shell/Shell.h"

bool CShell::OnCommand(int id, int code) {
    LeaveEngineLine();
    const bool handled = HandleCommand(id, code);
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
    if (id >= ids::kFirstRecentFile && id <= ids::kLastRecentFile) {
        const std::vector<std::string> files = RecentFiles();
        if (static_cast<std::size_t>(id - ids::kFirstRecentFile) < files.size()) {
            LoadPGNFile(files[static_cast<std::size_t>(id - ids::kFirstRecentFile)]);
        }
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
        CancelRunningLoad();
        return true;
    case ids::kShowAddedGames:
        if (firstAddedGame >= 0 && firstAddedGame < listedGames) {
            ChooseGame(firstAddedGame);
        }
        return true;
    case ids::kPaste:
        PasteGames();
        return true;
    case ids::kCopyFen:
        CopyPosition();
        return true;
    case ids::kCopyPgn:
        CopyGame();
        return true;
    case ids::kQuit:
        OnClose();
        return true;
    case ids::kKeyboardShortcuts:
        platform.ShowMessageBox(EMessageBoxKind::Information,
                                std::string(strings::kKeyboardShortcuts),
                                mainmenu::ShortcutsText(mainmenu::Build()));
        return true;
    case ids::kCloseAllGames:
        CloseAllGames();
        return true;
    case ids::kGamesWithPosition:
        FilterByPosition();
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
        ShowChanged();
        return true;
    case ids::kGameList:
        if (code == ids::kSelectionChanged) {
            ChooseGame(platform.GameListSelection());
            return true;
        }
        return code == ids::kSelectionEndedOk || code == ids::kSelectionEndedCancel;
    default:
        return HandleEngineCommand(id, platform, *liveAnalysis, *gameAnalysis) ||
               HandleGameCommand(id);
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
    ShowChanged();
}

void CShell::ShowPlayGlyph() {
    platform.SetControlText(ids::kPlayPauseButton, glyphs::kPlay);
}

void CShell::ShowPauseGlyph() {
    platform.SetControlText(ids::kPlayPauseButton, glyphs::kPause);
}
