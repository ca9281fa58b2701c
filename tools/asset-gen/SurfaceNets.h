#pragma once

#include "tools/asset-gen/Sdf.h"

#include <array>
#include <vector>

// An indexed triangle mesh, triangles counter-clockwise seen from outside.
struct IndexedMesh {
    std::vector<Vec3> positions;
    std::vector<std::array<int, 3>> triangles;
};

// Extracts the zero set of the field inside the box [lo, hi] (where the field must be positive
// on the box's faces) with surface nets on a grid of the given cell size: one vertex per cell
// that the surface crosses, moved onto the surface, one quad per crossed grid edge.
IndexedMesh SurfaceNets(const Field& field, Vec3 lo, Vec3 hi, float cell);

// Moves the point onto the zero set along the gradient (a few Newton steps).
Vec3 ProjectOnto(const Field& field, Vec3 p);

// Unit normal of the surface at p: the normalised gradient by central differences.
Vec3 FieldNormal(const Field& field, Vec3 p);
