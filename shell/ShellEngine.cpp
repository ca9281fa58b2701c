#include "analysis/GameAnalysisView.h"
#include "analysis/LiveAnalysisView.h"
#include "player/GamePlayer.h"
#include "resources/CommandIds.h"
#include "shell/Shell.h"

// The engine's parts of the window: live analysis (View), its settings (Options), a whole
// game's analysis (Game) and the save with it (File). The views hold the logic; the shell only
// routes commands and the notice of what is on show to them.

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

bool CShell::HandleEngineCommand(int id) {
    switch (id) {
    case ids::kEngineAnalysis:
        liveAnalysis->SetOn(!liveAnalysis->IsOn());
        platform.SetMenuItemChecked(ids::kEngineAnalysis, liveAnalysis->IsOn());
        return true;
    case ids::kEngineSettings:
        liveAnalysis->ChooseSettings();
        return true;
    case ids::kAnalyseGame:
        gameAnalysis->Start(liveAnalysis->Settings());
        return true;
    case ids::kCancelGameAnalysis:
        gameAnalysis->Cancel();
        return true;
    case ids::kSaveAnalysedGame:
        gameAnalysis->SaveAs();
        return true;
    default:
        return false;
    }
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
    PauseForStep();
    variationMove = CAnnotatedGame::kNone;
    player.ShowPosition(static_cast<unsigned>(ply));
    ShowChanged();
}
