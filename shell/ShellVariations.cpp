#include "common/GeneralException.h"
#include "messages/FailureMessages.h"
#include "player/GamePlayer.h"
#include "resources/CommandIds.h"
#include "resources/StringTable.h"
#include "shell/Shell.h"

#include <string>

// A click acts as Left, Home and End do: playback is paused first, and the position is shown at
// once, a running animation ended. A click on a panel that still shows another game than the
// board (its notice waits) is dropped: its links name positions of that game.
void CShell::OnNotationLink(int link) {
    if (notationPanel.OnPanelLink(link)) {
        return;
    }
    const CShowNotice& panelShows = notifier.Last();
    if (listedGames == 0 || link < 0 || panelShows.listGeneration != listGeneration ||
        panelShows.game != static_cast<int>(player.GameIndex())) {
        return;
    }
    LeaveEngineLine();
    const CAnnotatedGame* tree = notationPanel.Tree();
    if (link < kVariationLinkBase) {
        PauseForStep();
        variationMove = CAnnotatedGame::kNone;
        player.ShowPosition(static_cast<unsigned>(link));
    } else if (tree != nullptr && link - kVariationLinkBase < tree->MovesCount()) {
        PauseForStep();
        ShowTreePosition(link - kVariationLinkBase);
    }
    ShowChanged();
}

// The reader resolved every move of the tree on its own board and the panel played each, so a
// position that cannot be shown means the tree and the game disagree: it is reported, and the
// board stays as it was.
void CShell::ShowTreePosition(int move) {
    const CAnnotatedGame& tree = *notationPanel.Tree();
    try {
        if (move == CAnnotatedGame::kNone || tree.Move(move).line == 0) {
            player.ShowPosition(
                move == CAnnotatedGame::kNone ? 0u : static_cast<unsigned>(tree.Move(move).ply));
            variationMove = CAnnotatedGame::kNone;
        } else {
            player.ShowMoves(tree.MovesTo(move));
            variationMove = move;
        }
    } catch (const CGeneralException& e) {
        ReportFailure(PositionFailureText(e.GetMessage()));
    }
    ShowChanged();
}

bool CShell::StepInVariation(int id) {
    const CAnnotatedGame* tree = notationPanel.Tree();
    if (variationMove == CAnnotatedGame::kNone || tree == nullptr ||
        (id != ids::kNextMove && id != ids::kPreviousMove)) {
        return false;
    }
    PauseForStep();
    if (id == ids::kPreviousMove) {
        ShowTreePosition(tree->Previous(variationMove));
        return true;
    }
    const int next = tree->Next(variationMove);
    if (next != CAnnotatedGame::kNone) {
        try {
            player.StepMove(tree->Move(next).move);
            variationMove = next;
        } catch (const CGeneralException& e) {
            ReportFailure(PositionFailureText(e.GetMessage()));
        }
    }
    ShowChanged();
    return true;
}

void CShell::ReturnToMainLine() {
    const CAnnotatedGame* tree = notationPanel.Tree();
    if (variationMove == CAnnotatedGame::kNone || tree == nullptr) {
        variationMove = CAnnotatedGame::kNone;
        return;
    }
    int replaced = tree->Line(tree->Move(variationMove).line).parent;
    while (tree->Move(replaced).line != 0) {
        replaced = tree->Line(tree->Move(replaced).line).parent;
    }
    variationMove = CAnnotatedGame::kNone;
    player.ShowPosition(static_cast<unsigned>(tree->Move(replaced).ply - 1));
    ShowChanged();
}

void CShell::ReportFailure(const CPlainMessage& message) {
    platform.ShowDetailedMessageBox(EMessageBoxKind::Error, std::string(strings::kError),
                                    message.text, message.details);
}
