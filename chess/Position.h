#pragma once

#include "chess/ChessboardState.h"
#include "chess/Move.h"
#include "chess/Piece.h"

#include <cstdint>

// Castling rights, one bit each.
enum ECastlingRight : std::uint8_t {
    WhiteKingside = 1,
    WhiteQueenside = 2,
    BlackKingside = 4,
    BlackQueenside = 8,
};

// A position as the FEN standard describes it: the board, the side to move, the castling
// rights still held, the file of a pawn that has just advanced two squares, and the clocks. A
// plain value; its board is 64 bytes, so copies are cheap.
struct CPosition {
    CChessboardState board;
    EPieceColor sideToMove = White;
    std::uint8_t castling = 0; // ECastlingRight bits
    // The file of the square a pawn passed with the double step just played, else -1. Set after
    // every double step, whether or not a pawn can take it.
    std::int32_t enPassantFile = -1;
    std::int32_t halfMoveClock = 0;
    std::int32_t fullMoveNumber = 1;

    bool operator==(const CPosition&) const = default;

    // The standard starting position, White to move, every right held.
    static CPosition Initial();

    // Plays `move` as CChessSet::Move plays it, then updates the side to move, the rights (lost
    // by a king or rook leaving its square, and by a capture on a rook's corner), the
    // en-passant file and the clocks (which stop at their largest value). Throws what
    // CChessSet::Move throws; the position is then unchanged.
    void Play(const CMove& move);

    // Drops the rights whose king and rook no longer stand on their first squares and an
    // en-passant file that no double step of the last mover can explain, so that every right
    // written is one the board can carry out (engines trust them).
    void Sanitise();
};

// Whether the position can be handed to an engine: one king a side, no pawn on the first or
// last rank, and the side that has just moved not in check.
bool IsPlayablePosition(const CPosition& position);
