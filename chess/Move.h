#pragma once

#include <cstdint>

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
};
