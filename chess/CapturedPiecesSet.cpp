#include "chess/CapturedPiecesSet.h"

#include "chess/ChessExceptions.h"

void CCapturedPiecesSet::Add(const CPiece& piece) {
    // Validating in place and undoing on failure gives the same all-or-nothing result as
    // validating a copy, without allocating one on every capture.
    pieces.push_back(piece);
    try {
        Validate(pieces);
    } catch (...) {
        pieces.pop_back();
        throw;
    }
}

void CCapturedPiecesSet::Validate(const std::vector<CPiece>& pieces) {
    if (pieces.size() > 15) {
        throw CCapturedPiecesException(
            "CCapturedPiecesSet::Validate(): You can't put more than 15 pieces into captured "
            "pieces set. Something's wrong!");
    }
    for (const CPiece& piece : pieces) {
        if (piece.color != pieces.front().color) {
            throw CCapturedPiecesException(
                "CCapturedPiecesSet::Validate(): You can't put pieces of different colors into "
                "captured pieces set. Something's wrong!");
        }
    }
    int pawns = 0;
    for (const CPiece& piece : pieces) {
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
