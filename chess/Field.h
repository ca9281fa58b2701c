#pragma once

#include "chess/Piece.h"

// One square of the board: empty, or holding one piece. A new field is empty.
class CField {
public:
    bool IsEmpty() const noexcept { return empty; }

    // Stores the piece. Throws CFieldException if the field is occupied; the field is then
    // unchanged.
    void PutPiece(const CPiece& piece);

    // Empties the field without handing out the piece (callers read Piece() first). Throws
    // CFieldException if the field is already empty.
    void TakePiece();

    // Throws CFieldException if the field is empty.
    CPiece Piece() const;

private:
    bool empty = true;
    CPiece piece{};
};
