#pragma once

#include "scene/Camera.h"

// Where a world point appears in the window under the camera's current view: the same
// perspective and modelview transforms that a frame applies, computed on the CPU (for tests,
// and for tools that need to find a square on the screen).
struct CWindowPoint {
    double x = 0.0;       // pixels from the left edge
    double y = 0.0;       // pixels from the top edge
    bool visible = false; // in front of the camera and within the depth range
};

CWindowPoint ProjectToWindow(const CCamera& camera, int width, int height, double x, double y,
                             double z);
