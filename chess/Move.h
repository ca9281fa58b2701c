#pragma once

#include "chess/Piece.h"

#include <cstdint>

// Where a move record lands: the square and, for a promotion, the new piece.
struct CDestination {
    std::int32_t file = 0;
    std::int32_t rank = 0;
    // Pawn when the record is not a promotion.
    EPieceType promotion = Pawn;
};

// One move reduced to a source and a destination square. Castling is the king's move onto its
// own rook (e1h1, e1a1, e8h8, e8a8). A promotion folds the new piece into the destination
// rank: 7 + type on rank 8 (8..11 for knight..queen), 0 - type on rank 1 (-1..-4). A source of
// (-1, -1) marks a pawn move whose source was not found; the board refuses it when executed.
struct CMove {
    std::int32_t sourceFile = 0;
    std::int32_t sourceRank = 0;
    std::int32_t destFile = 0;
    std::int32_t destRank = 0;

    bool operator==(const CMove&) const = default;

    // The one decoding of the destination: a promotion code gives rank 8 (index 7) or rank 1
    // (index 0) and its piece, whose colour is that rank's side (White on rank 8). Any other
    // rank is handed back as it is, with no promotion, whether on the board or not.
    constexpr CDestination Destination() const {
        if (destRank >= 8 && destRank <= 11) {
            return {destFile, 7, static_cast<EPieceType>(destRank - 7)};
        }
        if (destRank >= -4 && destRank <= -1) {
            return {destFile, 0, static_cast<EPieceType>(-destRank)};
        }
        return {destFile, destRank, Pawn};
    }
};
