#include "chess/FenWriter.h"
#include "pgn/FenParser.h"
#include "pgn/PgnWriter.h"
#include "shell/Shell.h"

// With no game listed, the initial position on show.
void CShell::CopyPosition() {
    const CShowNotice notice = ShownNow();
    CPosition position = CPosition::Initial();
    if (notice.gameData != nullptr) {
        position = StartPosition(notice.gameData->GetStart());
        for (const CMove& move : MovesToShownPosition(notice)) {
            position.Play(move);
        }
    }
    platform.SetClipboardText(WriteFen(position));
}

// The annotations are those the panel has read for the game on show, when it has: the panel
// holds the game of the last notice, which must be the game on show.
void CShell::CopyGame() {
    const CShowNotice notice = ShownNow();
    if (notice.gameData == nullptr) {
        return;
    }
    const CShowNotice& told = notifier.Last();
    const bool current = told.gameData == notice.gameData;
    platform.SetClipboardText(
        WritePgnGame(*notice.gameData, current ? notationPanel.Tree() : nullptr));
}
