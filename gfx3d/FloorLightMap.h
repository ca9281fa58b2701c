#pragma once

#include <array>
#include <cstdint>
#include <vector>

// The floor's light: a dim room tone everywhere, and round the board the pool of light that the
// scene's spot lights (gfx3d/SceneLights.h) throw on it, as fixed-function lighting computes it
// for a surface facing up, fading out towards the edge of the light map so that the map's border
// is the room tone exactly. The backdrop behind the floor is the same tone, so the floor has no
// edge to see from any view. No OpenGL.

// The floor's colour in full light, and the share of it the room tone gives.
inline constexpr std::array<float, 3> kFloorColour = {0.56f, 0.54f, 0.51f};
inline constexpr float kFloorAmbient = 0.56f;
// The colour the view is cleared to: the floor in the room tone alone.
inline constexpr std::array<float, 3> kBackdropColour = {kFloorColour[0] * kFloorAmbient,
                                                         kFloorColour[1] * kFloorAmbient,
                                                         kFloorColour[2] * kFloorAmbient};
// The pool of light is whole up to kPoolRadius from the board's centre (100, -100) and gone at
// kPoolEdge.
inline constexpr float kPoolRadius = 170.0f;
inline constexpr float kPoolEdge = 390.0f;

// The floor's brightness, kFloorAmbient to 1, at the world point (x, 0, z).
float FloorBrightness(float x, float z);

// A size x size luminance image of the floor's brightness over x from x0 to x0 + extentX and z
// from z0 down to z0 - extentZ, one byte per texel, sampled at the texel centres. Row 0 lies at
// z0, column 0 at x0.
std::vector<std::uint8_t> BuildFloorLightMap(int size, float x0, float z0, float extentX,
                                             float extentZ);
