#pragma once

#include <cstdint>

// The camera's viewpoints and poses. No OpenGL.

// The vertical field of view at zoom 1, in degrees.
inline constexpr double kBaseFieldOfView = 45.0;

// The board's centre on the floor, about which the view turns.
inline constexpr double kBoardCentreX = 100.0;
inline constexpr double kBoardCentreZ = -100.0;

// The viewpoints the user chooses (keys 1, 2, 3): the default view over the board from the side
// in front; a high view looking almost straight down, which reads like a diagram but keeps the
// pieces' shapes; the player's view from the chair at seated eye height.
enum class EViewpoint : int { Default = 0, High = 1, Player = 2 };
inline constexpr int kViewpointCount = 3;

// The elevation a viewpoint looks down at, in degrees.
float ViewpointElevation(EViewpoint viewpoint);

// What the camera's values are, without the way to them.
struct SCameraSettings {
    EViewpoint viewpoint = EViewpoint::Default;
    float elevation = 0.0f; // degrees
    float rotation = 0.0f;  // degrees
    float zoom = 1.0f;
    float panX = 0.0f; // world units across the view
    float panY = 0.0f;
};

// Where the camera stands: turned by `elevation` about x and by `rotation` about y about the
// board's centre, it looks from `distance` away at a point `shiftX`, `shiftY` across the view
// from that centre, with a vertical field of view of `fieldOfView` degrees.
struct SViewPose {
    double elevation = 0.0;
    double rotation = 0.0;
    double distance = 0.0;
    double shiftX = 0.0;
    double shiftY = 0.0;
    double fieldOfView = 45.0;
};

// The pose of the settings in a view of `aspect` (width / height): the viewpoint's framing,
// found at zoom 1 without the mouse's turns, so that the whole of what it shows fits the view,
// then the mouse's turns, pan and zoom.
SViewPose PoseOf(const SCameraSettings& settings, double aspect);

// The pose a fraction `t` (0 to 1) of the way from `from` to `to`, eased in and out. The
// rotation goes the shorter way round (half a turn goes forward).
SViewPose Blend(const SViewPose& from, const SViewPose& to, double t);
