#include "analysis/GameAnalysisView.h"
#include "analysis/LiveAnalysisView.h"
#include "common/GeneralException.h"
#include "messages/FailureMessages.h"
#include "player/GamePlayer.h"
#include "resources/CommandIds.h"
#include "shell/Shell.h"

void CShell::StartEngineViews() {
    liveAnalysis = std::make_unique<CLiveAnalysisView>(platform, scene);
    liveAnalysis->onSwitchedOff = [this] {
        platform.SetMenuItemChecked(ids::kEngineAnalysis, false);
    };
    liveAnalysis->SetFigurines(figurinesMark);
    liveAnalysis->Show(std::string(), {}); // the initial position, until a game is shown
    gameAnalysis = std::make_unique<CGameAnalysisView>(platform);
    gameAnalysis->onMarksChanged = [this] { notationPanel.SetMarks(gameAnalysis->MarkTexts()); };
}

// The engine follows every position on show, in variations and set-up games too; the graph
// follows the game and marks the main line's ply.
void CShell::FollowWithEngine(const CShowNotice& notice) {
    if (!liveAnalysis) {
        return;
    }
    gameAnalysis->SetGame(notice.gameData, notationPanel.Tree());
    if (notice.gameChanged) {
        if (std::vector<std::string> marks = gameAnalysis->MarkTexts(); !marks.empty()) {
            notationPanel.SetMarks(std::move(marks));
        }
    }
    gameAnalysis->SetCurrentPly(
        notice.variationMove == CAnnotatedGame::kNone ? static_cast<int>(notice.ply) : -1);
    liveAnalysis->Show(notice.gameData != nullptr ? notice.gameData->GetStart() : std::string(),
                       MovesToShownPosition(notice));
}

void CShell::OnEvalGraphClicked(int ply) {
    if (listedGames == 0 || ply < 0) {
        return;
    }
    LeaveEngineLine();
    PauseForStep();
    variationMove = CAnnotatedGame::kNone;
    player.ShowPosition(static_cast<unsigned>(ply));
    ShowChanged();
}

// Shown as a variation's position is; the notice carries the line's moves (see CShowNotice).
void CShell::OnEngineLineLink(int link) {
    const std::optional<std::vector<CMove>> moves = liveAnalysis->MovesToLink(link);
    if (listedGames == 0 || !moves) {
        return;
    }
    PauseForStep();
    try {
        player.ShowMoves(*moves);
        engineLine = *moves;
    } catch (const CGeneralException& e) {
        ReportFailure(PositionFailureText(e.GetMessage()));
    }
    ShowChanged();
}

void CShell::LeaveEngineLine() {
    if (engineLine.empty()) {
        return;
    }
    engineLine.clear();
    if (variationMove != CAnnotatedGame::kNone && notationPanel.Tree() != nullptr) {
        ShowTreePosition(variationMove);
    } else {
        player.ShowPosition(player.MoveIndex());
    }
    ShowChanged();
}
