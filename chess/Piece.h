#pragma once

#include <cstdint>

// Piece kinds. The numeric values are used directly as indexes and in the promotion codes of
// CMove, so they must not change.
enum EPieceType : std::int32_t {
    Pawn = 0,
    Knight = 1,
    Bishop = 2,
    Rook = 3,
    Queen = 4,
    King = 5,
};

// Piece colours; also the side to move and the index of a side's captured-pieces set.
enum EPieceColor : std::int32_t {
    White = 0,
    Black = 1,
};

// A piece is its colour and kind; two pieces with equal fields are the same piece.
struct CPiece {
    EPieceColor color = White;
    EPieceType type = Pawn;

    bool operator==(const CPiece&) const = default;
};

constexpr EPieceColor Opponent(EPieceColor color) {
    return color == White ? Black : White;
}
