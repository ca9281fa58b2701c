#pragma once

#include "tools/asset-gen/SurfaceNets.h"

// Reduces the mesh to at most targetTriangles by collapsing the edges whose removal changes the
// shape least (quadric error metric), never folding a triangle over or tearing the surface.
// Deterministic: ties are broken by vertex index.
void Decimate(IndexedMesh& mesh, int targetTriangles);
