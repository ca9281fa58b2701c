#pragma once

#include <cstdint>
#include <vector>

// A triangle mesh as unique vertices and one index per triangle corner, three floats per vertex
// in each array (texture coordinates keep the loader's three components). No OpenGL.
struct SIndexedMesh {
    std::vector<float> positions;
    std::vector<float> normals;
    std::vector<float> texCoords;
    std::vector<std::uint32_t> indices;
    int UniqueVertexCount() const { return static_cast<int>(positions.size() / 3); }
};

// Welds the corners (cornerCount of them, three floats each in every array) that are identical
// in position, normal and texture coordinate into one vertex. Identical means the same bits, so
// the expansion gives back exactly the input, -0.0 included. The indices keep the corners'
// order, and vertices are numbered in the order of their first corner.
SIndexedMesh WeldCorners(const float* positions, const float* normals, const float* texCoords,
                         int cornerCount);
