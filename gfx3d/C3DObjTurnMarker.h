#pragma once

#include "chess/Piece.h"
#include "gfx3d/A3DObject.h"

// The marker of the side to move: a small turned disc in that side's colour, lying on the
// board's frame at the right-hand corner of that side's edge, as the player sitting there sees
// it. Drawn lit, without a texture.
//
// Drawing runs on the thread that owns the OpenGL context; SetSide on the thread that guards the
// scene's objects.
class C3DObjTurnMarker : public A3DObject {
public:
    // Where the marker lies for White (then Black), on the frame's top.
    static constexpr float kWhiteX = 207.0f;
    static constexpr float kWhiteZ = 7.0f;

    // On White's corner.
    C3DObjTurnMarker();

    // Moves the marker to `side`'s corner, in its colour.
    void SetSide(EPieceColor side);
    EPieceColor Side() const { return side; }

    // Leaves lighting and 2D texturing enabled.
    void Draw() override;
    // Places the marker at once.
    void MoveTo(float x, float y, float z) override;

private:
    EPieceColor side = White;
};
