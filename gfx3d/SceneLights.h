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
// The spot lights' highlights show only on the pieces, the one material with a specular colour.
inline constexpr std::array<float, 4> kLightSpecular = {0.9f, 0.9f, 0.9f, 1.0f};

// A light from behind the board as the camera sees it, above it, lighting only the pieces:
// their tops and the edges turned away from the camera catch it, so that dark pieces stand out
// from what lies behind them. A direction towards the light in the camera's space (w = 0).
inline constexpr std::array<float, 4> kRimLightDirection = {0.0f, 0.8f, -0.6f, 0.0f};
inline constexpr std::array<float, 4> kRimLightDiffuse = {0.55f, 0.52f, 0.48f, 1.0f};
inline constexpr std::array<float, 4> kRimLightSpecular = {0.8f, 0.8f, 0.8f, 1.0f};
