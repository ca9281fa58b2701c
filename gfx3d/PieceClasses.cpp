#include "gfx3d/PieceClasses.h"

std::unique_ptr<C3DObjPiece> Create3DPiece(EPieceType kind, float x, float y, float z,
                                           EPieceColor color) {
    switch (kind) {
    case Pawn:
        return std::make_unique<C3DObjPawn>(x, y, z, color);
    case Knight:
        return std::make_unique<C3DObjKnight>(x, y, z, color);
    case Bishop:
        return std::make_unique<C3DObjBishop>(x, y, z, color);
    case Rook:
        return std::make_unique<C3DObjRook>(x, y, z, color);
    case Queen:
        return std::make_unique<C3DObjDame>(x, y, z, color);
    case King:
        return std::make_unique<C3DObjKing>(x, y, z, color);
    }
    return std::make_unique<C3DObjPawn>(x, y, z, color);
}
