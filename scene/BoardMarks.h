#pragma once

#include "chess/ChessboardState.h"
#include "chess/Move.h"

#include <vector>

// Which squares the scene marks on the board, worked out from the chess model. No OpenGL.

struct CBoardSquare {
    int file = 0;
    int rank = 0;
    bool operator==(const CBoardSquare&) const = default;
};

// The square a move's mover left and the one it reached.
struct CMoveSquares {
    CBoardSquare from;
    CBoardSquare to;
    bool operator==(const CMoveSquares&) const = default;
};

// The squares of `move` given the board `after` it was made. A castling record (the king's move
// onto its own rook) gives the king's two squares; a promotion, its real destination. A record
// from e1 or e8 to a corner of the same rank is a castling exactly when that corner is empty
// afterwards: any other piece that moved there still stands on it.
CMoveSquares MovedSquares(const CMove& move, const CChessboardState& after);

// The squares of the kings attacked on `board`: none, one, or (in a set-up position) two.
std::vector<CBoardSquare> KingsInCheck(const CChessboardState& board);
