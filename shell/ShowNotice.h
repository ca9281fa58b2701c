#pragma once

#include "chess/ChessGameData.h"
#include "chess/Move.h"
#include "pgn/AnnotatedGame.h"

#include <memory>
#include <vector>

// The game and the position on show, as the router tells its listeners after a change.
struct CShowNotice {
    // The game's index in the player's list; -1 while no game is listed (the initial position
    // is on show).
    int game = -1;
    // The game on show; null while none is listed. Shared: a listener may keep it.
    std::shared_ptr<const CChessGameData> gameData;
    // Half-moves from the game's start to the position on show, on the main line or in a
    // variation.
    unsigned ply = 0;
    // The move of the game's annotated tree whose position is on show; CAnnotatedGame::kNone on
    // the main line, where the position follows the game's first `ply` moves.
    int variationMove = CAnnotatedGame::kNone;
    // Off the main line: the moves from the game's start to the position, `ply` of them; or,
    // while an engine line's position is on show, its moves (`ply` and `variationMove` then
    // tell the position it was clicked from).
    std::vector<CMove> variationLine;
    // The player plays the game on by itself.
    bool playing = false;
    // Counts the changes of the game list (loads, "Close all games"): a game index names the
    // same game as long as this stays.
    unsigned listGeneration = 0;
    // Another game, or a changed list, since the previous notice: what a listener made of the
    // game before is stale.
    bool gameChanged = false;

    // Whether two notices describe the same thing on show (gameChanged aside).
    bool SameShow(const CShowNotice& other) const noexcept {
        return game == other.game && listGeneration == other.listGeneration && ply == other.ply &&
               variationMove == other.variationMove && playing == other.playing &&
               variationLine == other.variationLine;
    }
};

// The moves from the game's start to the position on show: the game's first `ply` moves on the
// main line, else the variation's line. Empty while no game is listed.
std::vector<CMove> MovesToShownPosition(const CShowNotice& notice);

// Told when the game or the position on show has changed: on the interface thread, once a turn
// of its event loop however many changes came meanwhile (keys that come faster than they can be
// shown coalesce). A step must cost the interface thread a few milliseconds at most, so a
// listener does what is cheap at once and hands the rest to a worker (CWorkerJob).
class IShowListener {
public:
    virtual ~IShowListener() = default;
    virtual void OnShowChanged(const CShowNotice& notice) = 0;
};
