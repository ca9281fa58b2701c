#include "chess/CapturedPiecesSet.h"

#include "chess/ChessExceptions.h"

// The candidate is checked where it will stand; the count grows only once it has passed.
void CCapturedPiecesSet::Add(const CPiece& piece) {
    pieces[static_cast<std::size_t>(count)] = piece; // count <= 15: a valid set
    Validate(pieces.data(), static_cast<std::size_t>(count) + 1);
    ++count;
}

void CCapturedPiecesSet::Validate(const CPiece* first, std::size_t n) {
    if (n > 15) {
        throw CCapturedPiecesException(
            "CCapturedPiecesSet::Validate(): You can't put more than 15 pieces into captured "
            "pieces set. Something's wrong!");
    }
    for (std::size_t i = 0; i < n; ++i) {
        if (first[i].color != first[0].color) {
            throw CCapturedPiecesException(
                "CCapturedPiecesSet::Validate(): You can't put pieces of different colors into "
                "captured pieces set. Something's wrong!");
        }
    }
    int pawns = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const CPiece& piece = first[i];
        if (piece.type == Pawn && ++pawns > 8) {
            throw CCapturedPiecesException(
                "CCapturedPiecesSet::Validate(): You can't put more than 8 pawns into captured "
                "pieces set. Something's wrong!");
        }
        if (piece.type == King) {
            throw CCapturedPiecesException("CCapturedPiecesSet::Validate(): You can't put a King "
                                           "into captured pieces set. Something's wrong!");
        }
    }
}

CPiece CCapturedPiecesSet::GetPiece(const int& i) const {
    if (i >= Count()) {
        throw CCapturedPiecesException(
            "CCapturedPiecesSet::GetPiece(): Parameter 'i' is too high! There aren't so many "
            "pieces in the set. Something's wrong!");
    }
    if (i < 0) {
        throw CCapturedPiecesException("CCapturedPiecesSet::GetPiece(): Parameter 'i' is lower "
                                       "than 0! Index cannot be negative!");
    }
    return pieces[static_cast<std::size_t>(i)];
}
