#pragma once

#include "gfx3d/ContactShadow.h"

#include <vector>

// Draws contact shadows onto the surfaces already drawn, before the pieces: blended, without
// lighting and without writing depth, pulled a little towards the viewer so that they win over
// the surface they lie on. The disc texture is made by the first Draw.
//
// Drawing and Release run on the thread that owns the OpenGL context.
class CContactShadowPass {
public:
    CContactShadowPass() = default;
    CContactShadowPass(const CContactShadowPass&) = delete;
    CContactShadowPass& operator=(const CContactShadowPass&) = delete;

    // Leaves lighting, 2D texturing, depth writes and back-face culling as the frame has them
    // (on), blending off.
    void Draw(const std::vector<SContactShadow>& shadows);
    // Deletes the texture.
    void Release();

private:
    unsigned int texture = 0;
};
