#pragma once

#include "chess/Piece.h"

// One square of the board: empty, or holding one piece. A new field is empty.
class CField {
public:
    bool IsEmpty() const noexcept { return empty; }

    // Stores the piece. Throws CFieldException if the field is occupied; the field is then
    // unchanged.
    void PutPiece(const CPiece& newPiece) {
        if (!empty) {
            ThrowOccupied();
        }
        piece = newPiece;
        empty = false;
    }

    // Empties the field without handing out the piece (callers read Piece() first). Throws
    // CFieldException if the field is already empty.
    void TakePiece() {
        if (empty) {
            ThrowAlreadyEmpty();
        }
        empty = true;
    }

    // Throws CFieldException if the field is empty.
    CPiece Piece() const {
        if (empty) {
            ThrowEmpty();
        }
        return piece;
    }

private:
    [[noreturn]] static void ThrowOccupied();
    [[noreturn]] static void ThrowAlreadyEmpty();
    [[noreturn]] static void ThrowEmpty();

    bool empty = true;
    CPiece piece{};
};
