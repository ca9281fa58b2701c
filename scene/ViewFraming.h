#pragma once

#include <span>

// Fitting what must be seen into a view. No OpenGL.

// A world point.
struct SWorldPoint {
    double x, y, z;
};

// How a camera turned by `elevation` and `rotation` (degrees, as the view applies them about
// the board's centre) must stand to show every point: `distance` from the point it looks at,
// which lies `shiftX`, `shiftY` across the view from the board's centre.
struct SFraming {
    double distance = 0.0;
    double shiftX = 0.0;
    double shiftY = 0.0;
};

// The nearest camera that shows every one of `points` within `fill` of the view's half-width
// and half-height (0 < fill <= 1) under a perspective of vertical field of view `fieldOfView`
// degrees and `aspect` (width / height), the points centred between the binding edges. Exact
// for a perspective: a point at depth d appears at its offset across the view divided by d.
SFraming FramePoints(std::span<const SWorldPoint> points, double elevation, double rotation,
                     double fieldOfView, double aspect, double fill);

// The corners of what a view must show: the board in its frame with the tallest pieces standing
// on it, and, unless `board only`, the mats beside it with the tallest pieces that can be taken
// standing on them.
std::span<const SWorldPoint> FramedContent(bool boardOnly);
