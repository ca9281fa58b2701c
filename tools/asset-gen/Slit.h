#pragma once

#include "tools/asset-gen/Mesh.h"
#include "tools/asset-gen/Profile.h"

// A straight slot sawn into a turned part from the front (-z), like the cut in a bishop's
// mitre: between two planes parallel to z, tilted by `tilt` radians from horizontal and
// passing `width` apart on both sides of the axis point at height `centreY`, down to
// z = depth (negative: the slot stops short of the axis).
struct SlitShape {
    float centreY = 0.0f;
    float tilt = 0.0f;
    float width = 0.0f;
    float depth = 0.0f;
};

// Cuts the slot into `part`, the lathe surface of `outline` (a profile rising monotonically
// in y), and closes it with two flat walls and a flat bottom.
Mesh CutSlit(const Mesh& part, const Profile& outline, const SlitShape& slit);
