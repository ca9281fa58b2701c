#pragma once

#include "gfx3d/AnimationCurves.h"
#include "gfx3d/C3DObjPiece.h"

#include <memory>

// The piece class of one kind: its model file and move animation come from the kind, its
// class-wide model data is C3DObjPiece's entry for the kind.
template <EPieceType PieceKind>
class C3DObjPieceOf : public virtual C3DObjPiece {
public:
    // Loads the shared textures and this kind's model and buffers if they are not there yet, so
    // it must run on the thread that owns the OpenGL context. Throws what that loading throws.
    C3DObjPieceOf(float x, float y, float z, EPieceColor color)
        : A3DObject(x, y, z), C3DObjPiece(x, y, z, color) {
        PrepareClass(PieceKind);
    }

    void MoveTo(float x, float y, float z) override {
        StartAnimation(x, y, z, PieceMoveAnimation(PieceKind));
    }
    EPieceType Kind() const override { return PieceKind; }
};

using C3DObjPawn = C3DObjPieceOf<Pawn>;
using C3DObjKnight = C3DObjPieceOf<Knight>;
using C3DObjBishop = C3DObjPieceOf<Bishop>;
using C3DObjRook = C3DObjPieceOf<Rook>;
using C3DObjDame = C3DObjPieceOf<Queen>;
using C3DObjKing = C3DObjPieceOf<King>;

// A new piece of the class for `kind`; see the constructor above.
std::unique_ptr<C3DObjPiece> Create3DPiece(EPieceType kind, float x, float y, float z,
                                           EPieceColor color);
