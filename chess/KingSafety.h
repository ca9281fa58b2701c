#pragma once

#include "chess/ChessboardState.h"
#include "chess/Move.h"
#include "chess/Piece.h"

// Attacks and the safety of the king. Sliding pieces attack up to the first piece on their
// lines; pawns, knights and kings attack by their patterns.

// Whether a piece of `attacker` attacks (file, rank), a square on the board.
bool IsSquareAttacked(const CChessboardState& board, int file, int rank, EPieceColor attacker);

// Whether an enemy piece attacks the king of `side`. A side with no king on the board is
// never in check.
bool IsKingAttacked(const CChessboardState& board, EPieceColor side);

// Plays the move on a copy of the board (the piece on the source leaves it, whatever stands
// on the destination is removed, and a pawn's diagonal step onto an empty square also
// removes the enemy pawn beside it, as en passant does) and tells whether the mover's king is
// then attacked. Castling is not applied; a promotion lands on its real square. The source
// must hold a piece and the destination must be on the board.
bool LeavesOwnKingAttacked(const CChessboardState& board, const CMove& move);

// Whether `side` has a legal move. `enPassantFile` is the file of a pawn of the other side
// that has just advanced two squares, or -1. Castling is left out: where it is legal, the
// king's step onto the square it passes is legal too, so it never changes the answer.
bool HasLegalMove(const CChessboardState& board, EPieceColor side, int enPassantFile);
