#pragma once

#include "chess/Piece.h"

#include <array>
#include <cstddef>
#include <vector>

// The pieces one side has captured, oldest first. Always valid: at most 15 pieces, all of one
// colour, at most 8 pawns, no king. Held in place, so that a capture never allocates.
class CCapturedPiecesSet {
public:
    // Appends the piece, all or nothing: if the result would break a rule, the
    // CCapturedPiecesException of Validate propagates and the set is unchanged.
    void Add(const CPiece& piece);

    // Checks a candidate sequence (never empty) against the rules, in this order: size, colour,
    // then one pass in which the first ninth pawn or king decides. Throws
    // CCapturedPiecesException.
    static void Validate(const std::vector<CPiece>& pieces) {
        Validate(pieces.data(), pieces.size());
    }

    // Checks i >= Count() first, then i < 0, each with its own CCapturedPiecesException.
    CPiece GetPiece(const int& i) const;

    int Count() const noexcept { return count; }
    void Clear() noexcept { count = 0; }

private:
    static void Validate(const CPiece* first, std::size_t n);

    // One more than the limit, so that a candidate can be checked where it will stand.
    std::array<CPiece, 16> pieces{};
    int count = 0;
};
