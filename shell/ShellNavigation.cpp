#include "messages/FailureMessages.h"
#include "messages/PictureName.h"
#include "player/GamePlayer.h"
#include "resources/CommandIds.h"
#include "resources/StringTable.h"
#include "scene/SceneView.h"
#include "shell/Shell.h"

#include <chrono>
#include <future>
#include <limits>

// Steps act on the game on show once playback is off; each first ends a running animation, so
// a key pressed during one neither loses nor repeats a move.
bool CShell::HandleGameCommand(int id) {
    if (StepInVariation(id)) {
        return true;
    }
    switch (id) {
    case ids::kSavePicture:
        SavePicture();
        return true;
    case ids::kPlayPause:
        return HandleCommand(ids::kPlayPauseButton, 0);
    case ids::kFirstPosition:
        return HandleCommand(ids::kStopButton, 0);
    case ids::kPreviousGame:
        ChooseNeighbourGame(-1);
        return true;
    case ids::kNextGame:
        ChooseNeighbourGame(1);
        return true;
    case ids::kNextMove:
    case ids::kPreviousMove:
    case ids::kLastPosition:
        Step(id);
        return true;
    default:
        return HandleViewCommand(id) || gamesTable.HandleCommand(id) || explorer.HandleCommand(id);
    }
}

void CShell::Step(int id) {
    if (listedGames == 0 || (id == ids::kPreviousMove && player.MoveIndex() == 0)) {
        return;
    }
    PauseForStep();
    if (id == ids::kNextMove) {
        player.StepOnce();
    } else if (id == ids::kPreviousMove) {
        player.ShowPosition(player.MoveIndex() - 1);
    } else {
        variationMove = CAnnotatedGame::kNone;
        player.ShowPosition(std::numeric_limits<unsigned>::max()); // all the game's moves
    }
    ShowChanged();
}

void CShell::PauseForStep() {
    if (playing) {
        playing = false;
        ShowPlayGlyph();
    }
    player.Pause();
}

void CShell::ChooseGame(int index) {
    StopPlayback();
    if (index < 0 || index >= listedGames) {
        return;
    }
    player.SelectGame(static_cast<unsigned>(index));
    platform.SetGameListSelection(index);
    ShowChanged();
}

void CShell::ChooseNeighbourGame(int step) {
    if (listedGames == 0) {
        return;
    }
    if (const std::optional<std::size_t> next = gamesTable.NeighbourGame(
            player.GameIndex(), step, static_cast<std::size_t>(listedGames))) {
        ChooseGame(static_cast<int>(*next));
    }
}

void CShell::OnGamesTableRowChosen(int row) {
    LeaveEngineLine();
    if (const std::optional<std::size_t> game = gamesTable.GameAtRow(row)) {
        ChooseGame(static_cast<int>(*game));
        if (const std::optional<unsigned> ply = gamesTable.PositionPly(*game)) {
            player.ShowPosition(*ply);
        }
    }
}

// Another game than the one on show plays the move from the same position: the board stays,
// then the move is animated as a step of that game.
void CShell::OnExplorerMoveChosen(int row) {
    const bool mainLine = variationMove == CAnnotatedGame::kNone;
    const int game = listedGames > 0 && mainLine ? static_cast<int>(player.GameIndex()) : -1;
    if (const std::optional<CGameVisit> visit = explorer.MoveAt(row, game, player.MoveIndex())) {
        if (static_cast<int>(visit->game) != game || visit->ply != player.MoveIndex()) {
            ChooseGame(static_cast<int>(visit->game));
            player.ShowPosition(visit->ply);
        }
        Step(ids::kNextMove);
    }
}

void CShell::FilterByPosition() {
    gamesTable.FilterByPosition(gamesTable.PositionFiltered() ? std::nullopt
                                                              : explorer.GamesWithPosition());
    explorer.SetFilteringByPosition(gamesTable.PositionFiltered());
}

void CShell::OnGamesTableHeaderClicked(int column) {
    gamesTable.OnHeaderClicked(column);
}

void CShell::OnGamesTableSearchChanged(const std::string& text) {
    gamesTable.OnSearchChanged(text);
}

void CShell::OnGamesTableClosed() {
    gamesTable.OnClosed();
}

// The picture is the frame as it is now, taken before the dialog covers the view.
void CShell::SavePicture() {
    std::future<CFrameImage> frame = scene.RequestCapture();
    scene.RequestRedraw();
    CFrameImage image;
    if (frame.wait_for(std::chrono::milliseconds(captureTimeoutMs)) == std::future_status::ready) {
        try {
            image = frame.get();
        } catch (const std::future_error&) {
            image = {}; // the render thread ended first
        }
    }
    if (image.width <= 0 || image.height <= 0) {
        platform.ShowMessageBox(EMessageBoxKind::Error, std::string(strings::kError),
                                std::string(strings::kPictureNotTaken));
        return;
    }
    const std::string name =
        listedGames > 0
            ? DefaultPictureName(player.GetGameData(static_cast<int>(player.GameIndex())),
                                 player.MoveIndex(), player.Games()->CodePage(player.GameIndex()))
            : std::string(strings::kTitle) + ".png";
    std::string path;
    if (!platform.ChooseSaveFile({std::string(strings::kPngFilter)}, name, path)) {
        return;
    }
    std::string error;
    if (!platform.SavePng(path, image, error)) {
        ReportFailure(PictureFailureText(path, error));
    }
}

void CShell::OnFilesDropped(const std::vector<std::string>& paths) {
    for (const std::string& path : paths) {
        LoadPGNFile(path);
    }
    platform.FocusMainWindow();
}
