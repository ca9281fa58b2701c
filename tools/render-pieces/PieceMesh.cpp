#include "tools/render-pieces/PieceMesh.h"

#include "gfx3d/OBJLoader.h"

#include <algorithm>
#include <cstddef>
#include <limits>

SPieceMesh LoadPieceMesh(const std::string& path) {
    COBJLoader loader;
    loader.Load(path);
    return PreparePieceMesh(loader.Vertices(), loader.Normals(), loader.TexCoords(),
                            loader.VertexCount());
}

SPieceMesh PreparePieceMesh(const float* positions, const float* normals, const float* texCoords,
                            int vertexCount) {
    SPieceMesh mesh;
    if (vertexCount <= 0) {
        return mesh;
    }
    const auto count = static_cast<std::size_t>(vertexCount);
    float low[3];
    float high[3];
    std::fill(low, low + 3, std::numeric_limits<float>::max());
    std::fill(high, high + 3, std::numeric_limits<float>::lowest());
    for (std::size_t i = 0; i < count * 3; ++i) {
        low[i % 3] = std::min(low[i % 3], positions[i]);
        high[i % 3] = std::max(high[i % 3], positions[i]);
    }
    const float extent = std::max(high[0] - low[0], high[2] - low[2]);
    const float scale = extent > 0.0f ? SPieceMesh::kPieceWidth / extent : 1.0f;

    mesh.positions.resize(count * 3);
    for (std::size_t i = 0; i < count; ++i) {
        mesh.positions[i * 3] = positions[i * 3] * scale;
        mesh.positions[i * 3 + 1] = (positions[i * 3 + 1] - low[1]) * scale;
        mesh.positions[i * 3 + 2] = -positions[i * 3 + 2] * scale;
    }
    mesh.normals.assign(normals, normals + count * 3);
    for (std::size_t i = 0; i < count; ++i) {
        mesh.normals[i * 3 + 2] = -mesh.normals[i * 3 + 2];
    }
    mesh.texCoords.resize(count * 2);
    for (std::size_t i = 0; i < count; ++i) {
        mesh.texCoords[i * 2] = texCoords[i * 3] * SPieceMesh::kTexCoordScale;
        mesh.texCoords[i * 2 + 1] = texCoords[i * 3 + 1] * SPieceMesh::kTexCoordScale;
    }
    mesh.height = (high[1] - low[1]) * scale;
    return mesh;
}
