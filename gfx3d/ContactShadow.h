#pragma once

#include "gfx3d/AnimationCurves.h"

#include <cstdint>
#include <vector>

// The soft contact shadow under a piece: a dark, blurred disc on the surface right under the
// piece's base (the top of the board and its frame, a mat beside it, or the floor), drawn as a
// textured square. It fades as the piece rises (a knight's jump, a captured piece dropping into its
// slot) and with the piece's own opacity (a captured piece fading out). No OpenGL.
struct SContactShadow {
    float x = 0.0f; // centre
    float y = 0.0f; // the surface the shadow lies on
    float z = 0.0f;
    float halfSize = 0.0f; // half the side of the square
    float opacity = 0.0f;  // darkness at the centre, 0 to 1
};

// Darkness of the shadow under a piece standing on a surface, and half the side of its square.
inline constexpr float kContactShadowOpacity = 0.6f;
inline constexpr float kContactShadowHalfSize = 11.0f;
// Height of the base above the surface at which the shadow has faded out.
inline constexpr float kContactShadowFadeHeight = 40.0f;

// The shadow of a piece drawn at `position` (the corner the scene places a piece model at) with
// opacity `alpha`.
SContactShadow ContactShadowOf(const SVec3& position, float alpha);

// A size x size alpha image of the shadow's disc: opaque in the middle, blurred out towards
// the edge, transparent in the corners.
std::vector<std::uint8_t> ContactShadowImage(int size);
