#pragma once

#include "tools/asset-gen/Mesh.h"

#include <vector>

// The half space of the points p with Dot(normal, p) >= offset.
struct HalfSpace {
    Vec3 normal;
    float offset = 0.0f;
};

// The part of the mesh inside all the half spaces; triangles crossing a boundary are cut along
// it, their attributes interpolated.
Mesh KeepInside(const Mesh& mesh, const std::vector<HalfSpace>& region);
