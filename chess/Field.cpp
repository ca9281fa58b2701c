#include "chess/Field.h"

#include "chess/ChessExceptions.h"

void CField::PutPiece(const CPiece& newPiece) {
    if (!empty) {
        throw CFieldException("CField::PutPiece(): There is already a piece here!");
    }
    piece = newPiece;
    empty = false;
}

void CField::TakePiece() {
    if (empty) {
        throw CFieldException("CField::TakePiece(): The field is already empty!");
    }
    empty = true;
}

CPiece CField::Piece() const {
    if (empty) {
        throw CFieldException("CField::Piece(): The field is empty!");
    }
    return piece;
}
