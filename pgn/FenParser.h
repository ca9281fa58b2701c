#pragma once

#include "chess/ChessboardState.h"
#include "chess/Piece.h"

#include <cstdint>
#include <string_view>

// The starting position of a game as its FEN tag pair gives it. Castling rights, the
// en-passant square and the half-move clock are accepted but not kept: moves are executed by
// the board's geometric rules alone.
struct CFenPosition {
    CChessboardState board;
    EPieceColor sideToMove = White;
    std::int32_t fullMoveNumber = 1;
};

// Reads a FEN text: six fields, or four (the clocks then 0 and 1), separated by single
// spaces. Checked field by field, the first failure deciding: the field count; eight ranks
// separated by '/'; eight squares in each rank, from PNBRQKpnbrqk and the digits 1-8; one king
// of each colour; the side to move, 'w' or 'b'; the castling field, from KQkq and '-' only;
// the full-move number, digits only up to 2147483647, where 0 reads as 1. Throws
// CPGNReaderException "CPGNReader::ParseGame(): FEN not valid!", or "CPGNReader::ParseGame():
// Variant not supported!" for any other letter in the castling field (Chess960 files).
CFenPosition ParseFen(std::string_view fen);

// The position a stored game starts from: the initial position for an empty text, else the
// position its FEN text gives.
CFenPosition StartPosition(std::string_view fen);
