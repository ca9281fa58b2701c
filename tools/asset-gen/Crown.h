#pragma once

#include "tools/asset-gen/Mesh.h"

#include <functional>

// A ring wall round the y axis between radii inner and outer, from y = bottom up to a top edge
// whose height depends on the angle: the rook's battlements and the queen's coronet. The outer
// and inner faces are smooth, the top faces flat and every edge sharp. segments is the number
// of slices round; the top height is taken at each slice's middle unless stepped is false, in
// which case it is taken at the slice ends and the top slopes between them.
struct CrownShape {
    float inner = 0.0f;
    float outer = 0.0f;
    float bottom = 0.0f;
    int segments = 0;
    bool stepped = true;
    std::function<float(float angle)> top;
};

Mesh Crown(const CrownShape& shape);
