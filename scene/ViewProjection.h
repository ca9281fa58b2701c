#pragma once

#include "scene/Camera.h"
#include "scene/ViewPose.h"

#include <array>

// The projection and modelview matrices of a pose, computed on the CPU: a frame loads them,
// and tests and tools use them to find where a world point appears.

// The depth range: nothing comes nearer the camera than the near plane, and the floor reaches
// beyond the board's centre as far as the far plane.
inline constexpr double kNearPlane = 10.0;
inline constexpr double kFarBeyondCentre = 4000.0;

struct SViewMatrices {
    using Matrix = std::array<double, 16>; // column-major, as OpenGL keeps them
    Matrix projection;
    Matrix modelview;
};

// The matrices of `pose` in a view of `aspect` (width / height).
SViewMatrices ViewMatrices(const SViewPose& pose, double aspect);

// Where a world point appears in a view of width x height pixels.
struct CWindowPoint {
    double x = 0.0;       // pixels from the left edge
    double y = 0.0;       // pixels from the top edge
    bool visible = false; // in front of the camera and within the depth range
};

CWindowPoint ProjectToWindow(const SViewPose& pose, int width, int height, double x, double y,
                             double z);
// The same under the camera's resting pose.
CWindowPoint ProjectToWindow(const CCamera& camera, int width, int height, double x, double y,
                             double z);
