#pragma once

#include "tools/asset-gen/Mesh.h"

#include <vector>

// A flat plate of the given thickness in z, centred on z = 0, whose face is the union of the
// convex polygons given counter-clockwise in (x, y): flat faces and sharp edges. Edges shared by
// two polygons get no side face.
Mesh Plate(const std::vector<std::vector<Vec3>>& polygons, float thickness);
