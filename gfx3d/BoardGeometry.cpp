#include "gfx3d/BoardGeometry.h"

#include <cstddef>

SVec3 SquareOffset(int row, int column, const SVec3& board) {
    return {static_cast<float>(column) * kSquareSize + board.x, board.y,
            board.z - static_cast<float>(row) * kSquareSize};
}

bool IsRedWoodSquare(int row, int column) {
    return (row + column) % 2 == 0;
}

int FloorHalfTileCount(float extent) {
    return extent > 0.0f ? static_cast<int>(extent * 0.5f * 0.5f) : 0;
}

SVec3 FloorTileOffset(int i, int j) {
    return {static_cast<float>(j) * kFloorTileSize, 0.0f, static_cast<float>(i) * kFloorTileSize};
}

SFloorArrays BuildFloorTiles(float extentX, float extentZ) {
    const int nx = FloorHalfTileCount(extentX);
    const int nz = FloorHalfTileCount(extentZ);
    SFloorArrays floor;
    const auto tiles = static_cast<std::size_t>(2 * nx) * static_cast<std::size_t>(2 * nz);
    floor.positions.reserve(tiles * kFloorTilePositions.size());
    floor.normals.reserve(tiles * kFloorTileNormals.size());
    for (int i = -nz; i < nz; ++i) {
        for (int j = -nx; j < nx; ++j) {
            const SVec3 offset = FloorTileOffset(i, j);
            for (std::size_t v = 0; v < kFloorTilePositions.size(); v += 3) {
                floor.positions.push_back(kFloorTilePositions[v] + offset.x);
                floor.positions.push_back(kFloorTilePositions[v + 1] + offset.y);
                floor.positions.push_back(kFloorTilePositions[v + 2] + offset.z);
            }
            floor.normals.insert(floor.normals.end(), kFloorTileNormals.begin(),
                                 kFloorTileNormals.end());
        }
    }
    floor.vertexCount = static_cast<int>(floor.positions.size() / 3);
    return floor;
}
