#pragma once

#include <array>

// The four spot lights of the scene. They stand 225 units out from the board centre along both
// diagonals, 250 units up, each pointing back towards the centre. The scene sets them up every
// frame; the floor's light map is computed from the same values.
struct SSpotLight {
    std::array<float, 4> position;  // x, y, z, w (1: a point light)
    std::array<float, 4> direction; // spot axis; the fourth value is not used
};

inline constexpr std::array<SSpotLight, 4> kSceneLights = {{
    {{-125.0f, 250.0f, 125.0f, 1.0f}, {1.0f, -1.0f, -1.0f, 0.0f}},
    {{325.0f, 250.0f, 125.0f, 1.0f}, {-1.0f, -1.0f, -1.0f, 0.0f}},
    {{325.0f, 250.0f, -325.0f, 1.0f}, {-1.0f, -1.0f, 1.0f, 0.0f}},
    {{-125.0f, 250.0f, -325.0f, 1.0f}, {1.0f, -1.0f, 1.0f, 0.0f}},
}};
inline constexpr float kSpotCutoffDegrees = 30.0f;
inline constexpr float kSpotExponent = 40.0f;
inline constexpr std::array<float, 4> kLightAmbient = {0.0f, 0.0f, 0.0f, 0.0f};
inline constexpr std::array<float, 4> kLightDiffuse = {1.0f, 1.0f, 1.0f, 1.0f};
