#pragma once

#include "chess/ChessGameData.h"

// Move indexes of a game, from `first` up to but not including `end`.
struct SMoveRange {
    int first = 0;
    int end = 0;
};

// The moves of full moves `from` to `to` of `game`, both included, numbered as the game counts
// them from its starting position (a set-up position may start at move 30, with Black). A
// range reaching past the game's end stops there. Throws CExportException when `from` > `to`
// or the game has no move in the range.
SMoveRange FullMoveRange(const CChessGameData& game, int from, int to);
