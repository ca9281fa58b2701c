#pragma once

#include <cstdint>
#include <vector>

// The floor's diffuse colour (grey, the same in every channel) and its light: the floor shows
// kFloorDiffuse times the light that the scene's spot lights (gfx3d/SceneLights.h) throw on it,
// as fixed-function lighting computes it for a surface facing up. No OpenGL.
inline constexpr float kFloorDiffuse = 0.2f;

// The floor's brightness, 0 to 1, at the world point (x, 0, z).
float FloorBrightness(float x, float z);

// A size x size luminance image of the floor's brightness over x from x0 to x0 + extentX and z
// from z0 down to z0 - extentZ, one byte per texel, sampled at the texel centres. Row 0 lies at
// z0, column 0 at x0.
std::vector<std::uint8_t> BuildFloorLightMap(int size, float x0, float z0, float extentX,
                                             float extentZ);
