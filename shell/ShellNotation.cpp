#include "common/GeneralException.h"
#include "notation/AnnotationJob.h"
#include "player/GamePlayer.h"
#include "resources/CommandIds.h"
#include "scene/SceneView.h"
#include "shell/Shell.h"

#include <string>

// A click acts as Left, Home and End do: playback is paused first, and the position is shown at
// once, a running animation ended.
void CShell::OnNotationLink(int link) {
    if (listedGames == 0 || link < 0) {
        return;
    }
    PauseForStep();
    const std::optional<CAnnotatedGame>& tree = notationGame.annotations.tree;
    if (link < kVariationLinkBase) {
        variationMove = CAnnotatedGame::kNone;
        player.ShowPosition(static_cast<unsigned>(link));
    } else if (tree && link - kVariationLinkBase < tree->MovesCount()) {
        ShowTreePosition(link - kVariationLinkBase);
    }
    RefreshNotation();
}

void CShell::RefreshNotation() {
    if (listedGames == 0) {
        notationGameIndex = -1;
        variationMove = CAnnotatedGame::kNone;
        platform.SetNotation({});
        scene.SetClocks({}, {});
        return;
    }
    const int index = static_cast<int>(player.GameIndex());
    if (index != notationGameIndex) {
        notationGame = NotationOf(player.GetGameData(index),
                                  player.Games()->CodePage(static_cast<std::size_t>(index)));
        notationGameIndex = index;
        variationMove = CAnnotatedGame::kNone;
        ReadAnnotations(index);
    }
    platform.SetNotation(
        BuildNotation(notationGame, {player.MoveIndex(), variationMove}, figurinesMark));
    // The clocks of the position on show, as the game's annotations give them.
    const std::optional<CAnnotatedGame>& tree = notationGame.annotations.tree;
    const std::size_t ply = player.MoveIndex();
    int shown = variationMove;
    if (tree && shown == CAnnotatedGame::kNone && ply > 0 && ply <= tree->MainLine().moves.size()) {
        shown = tree->MainLine().moves[ply - 1];
    }
    const auto clocks = tree ? ClocksAt(*tree, shown) : std::array<std::string, 2>{};
    scene.SetClocks(clocks[White], clocks[Black]);
}

// A game read from memory has no file to read again. Older reads run on to their end, each on
// its own worker, so that choosing a game never waits for a slow disk.
void CShell::ReadAnnotations(int index) {
    const unsigned request = ++annotationRequest;
    const std::optional<CGameSource> source = player.GameSource(index);
    if (!source || source->file == nullptr) {
        return;
    }
    annotationJobs[request] =
        std::make_unique<CAnnotationJob>(*source, player.GetGameData(index), [this, request] {
            platform.PostToInterfaceThread([this, request] { FinishAnnotations(request); });
        });
}

void CShell::FinishAnnotations(unsigned request) {
    const auto job = annotationJobs.find(request);
    if (job == annotationJobs.end()) {
        return;
    }
    job->second->Join();
    if (request == annotationRequest && notationGameIndex >= 0) {
        notationGame.annotations = std::move(job->second->Result());
        RefreshNotation();
    }
    annotationJobs.erase(job);
}

// The reader resolved every move of the tree on its own board, so each can be played; one that
// cannot leaves the position as it was.
void CShell::ShowTreePosition(int move) {
    const CAnnotatedGame& tree = *notationGame.annotations.tree;
    try {
        if (move == CAnnotatedGame::kNone || tree.Move(move).line == 0) {
            player.ShowPosition(
                move == CAnnotatedGame::kNone ? 0u : static_cast<unsigned>(tree.Move(move).ply));
            variationMove = CAnnotatedGame::kNone;
        } else {
            player.ShowMoves(tree.MovesTo(move));
            variationMove = move;
        }
    } catch (const CGeneralException&) {
    }
}

bool CShell::StepInVariation(int id) {
    if (variationMove == CAnnotatedGame::kNone ||
        (id != ids::kNextMove && id != ids::kPreviousMove)) {
        return false;
    }
    const CAnnotatedGame& tree = *notationGame.annotations.tree;
    PauseForStep();
    if (id == ids::kPreviousMove) {
        ShowTreePosition(tree.Previous(variationMove));
        return true;
    }
    const int next = tree.Next(variationMove);
    if (next != CAnnotatedGame::kNone) {
        try {
            player.StepMove(tree.Move(next).move);
            variationMove = next;
        } catch (const CGeneralException&) {
        }
    }
    return true;
}

void CShell::ReturnToMainLine() {
    if (variationMove == CAnnotatedGame::kNone) {
        return;
    }
    const CAnnotatedGame& tree = *notationGame.annotations.tree;
    int replaced = tree.Line(tree.Move(variationMove).line).parent;
    while (tree.Move(replaced).line != 0) {
        replaced = tree.Line(tree.Move(replaced).line).parent;
    }
    variationMove = CAnnotatedGame::kNone;
    player.ShowPosition(static_cast<unsigned>(tree.Move(replaced).ply - 1));
}
