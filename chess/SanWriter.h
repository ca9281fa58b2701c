#pragma once

#include "chess/ChessGameData.h"
#include "chess/ChessSet.h"
#include "chess/ChessboardState.h"
#include "chess/Move.h"

#include <string>
#include <vector>

// Moves in standard algebraic notation (SAN): the piece letter (none for a pawn); the shortest
// disambiguation among the other pieces of the mover's kind that may legally make the move
// (file, else rank, else both); 'x' for a capture, en passant included, with a pawn's file
// before it; the destination; "=Q" for a promotion; "O-O" and "O-O-O" for castling; then '+'
// for a check or '#' for a mate. A move is played as CChessSet::Move plays it. A move that
// cannot be played on its position (its source is empty or off the board, or the chess set
// refuses it) is written as an empty text.

// `move` played on `board` by the side whose piece stands on its source square.
std::string WriteSan(const CChessboardState& board, const CMove& move);

// `move` written for the position on `set` and played there. When it cannot be played, the text
// is empty and the set stays as it was.
std::string PlaySan(CChessSet& set, const CMove& move);

// The moves of `game` played in turn from `start` (the game's starting position), one text per
// move. Once a move cannot be played, it and every move after it are empty texts.
std::vector<std::string> WriteGameSan(const CChessboardState& start, const CChessGameData& game);
