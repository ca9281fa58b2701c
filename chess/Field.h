#pragma once

#include "chess/Piece.h"

#include <cstdint>

// One square of the board: empty, or holding one piece. A new field is empty. It is one byte, so
// that a board is 64 bytes: the reader replays every move of a file on boards of its own.
class CField {
public:
    bool IsEmpty() const noexcept { return code == 0; }
    bool operator==(const CField&) const = default;
    // True when the field holds exactly this piece.
    bool Holds(const CPiece& candidate) const noexcept { return code == Encode(candidate); }

    // Stores the piece. Throws CFieldException if the field is occupied; the field is then
    // unchanged.
    void PutPiece(const CPiece& newPiece) {
        if (code != 0) {
            ThrowOccupied();
        }
        code = Encode(newPiece);
    }

    // Empties the field without handing out the piece (callers read Piece() first). Throws
    // CFieldException if the field is already empty.
    void TakePiece() {
        if (code == 0) {
            ThrowAlreadyEmpty();
        }
        code = 0;
    }

    // Throws CFieldException if the field is empty.
    CPiece Piece() const {
        if (code == 0) {
            ThrowEmpty();
        }
        return {static_cast<EPieceColor>((code >> 3) & 1), static_cast<EPieceType>(code & 7)};
    }

private:
    // 0 for an empty field, else a set high bit with the colour in bit 3 and the kind below it.
    static constexpr std::uint8_t Encode(const CPiece& piece) noexcept {
        return static_cast<std::uint8_t>(0x80 | (piece.color << 3) | piece.type);
    }

    [[noreturn]] static void ThrowOccupied();
    [[noreturn]] static void ThrowAlreadyEmpty();
    [[noreturn]] static void ThrowEmpty();

    std::uint8_t code = 0;
};
