#include "player/GamePlayer.h"
#include "resources/CommandIds.h"
#include "shell/Shell.h"

#include <string>

// A click acts as Left, Home and End do: playback is paused first, and the position is shown at
// once, a running animation ended.
void CShell::OnNotationLink(int link) {
    if (listedGames == 0 || link < 0) {
        return;
    }
    PauseForStep();
    player.ShowPosition(static_cast<unsigned>(link));
    RefreshNotation();
}

void CShell::RefreshNotation() {
    if (listedGames == 0) {
        notationGameIndex = -1;
        platform.SetNotation({});
        return;
    }
    const int index = static_cast<int>(player.GameIndex());
    if (index != notationGameIndex) {
        notationGame = NotationOf(player.GetGameData(index));
        notationGameIndex = index;
    }
    platform.SetNotation(BuildNotation(notationGame, player.MoveIndex(), figurinesMark));
}
