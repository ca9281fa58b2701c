#pragma once

#include "gfx3d/A3DObject.h"

// The two felt mats on the floor beside the board's frame on which the pieces taken stand
// (gfx3d/BoardFrame.h), light enough that black and white pieces both stand out on them. Drawn
// lit, without a texture. The position is not used: the mats lie where the frame is.
//
// Drawing runs on the thread that owns the OpenGL context.
class C3DObjCaptureMats : public A3DObject {
public:
    C3DObjCaptureMats() : A3DObject(0.0f, 0.0f, 0.0f) {}

    // Leaves lighting and 2D texturing enabled.
    void Draw() override;
    void MoveTo(float x, float y, float z) override;
};
