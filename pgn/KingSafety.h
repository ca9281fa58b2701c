#pragma once

#include "chess/ChessboardState.h"
#include "chess/Move.h"
#include "chess/Piece.h"

// Whether an enemy piece attacks the king of `side`: sliding attacks stop at the first piece,
// pawns, knights and kings attack by their patterns. A side with no king on the board is never
// in check.
bool IsKingAttacked(const CChessboardState& board, EPieceColor side);

// Plays the move geometrically on a copy of the board (the piece on the source leaves it, and
// whatever stands on the destination is removed) and tells whether the mover's king is then
// attacked. No castling, promotion or en passant is applied. The source must hold a piece.
bool LeavesOwnKingAttacked(const CChessboardState& board, const CMove& move);
