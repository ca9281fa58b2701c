#pragma once

#include "chess/Piece.h"
#include "gfx3d/BoardFrame.h"

// World positions of the scene's pieces. A square is 25 units; file f runs along +x, rank r
// along -z; a piece model is 15 units wide and deep from its corner, so it stands centred.
struct CSquarePosition {
    float x;
    float z;
};

// The y at which a piece taken stands on its mat beside the board (a piece at y = 0 stands on
// the board, kBlockHeight above the floor).
inline constexpr float kCapturedPieceY = kMatHeight - kBlockHeight;

// The position of a piece standing on (file, rank), at y = 0.
CSquarePosition SquarePosition(int file, int rank);

// The place beside the board of the n-th piece (from 1) that `capturer` has taken: White's
// captures line up to the right of the board from White's end, Black's to the left from
// Black's end, eight to a column, a second column farther out.
CSquarePosition CapturedSlot(int n, EPieceColor capturer);
