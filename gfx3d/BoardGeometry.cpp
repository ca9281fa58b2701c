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

SIndexedFloor BuildIndexedFloor(float extentX, float extentZ) {
    const int nx = FloorHalfTileCount(extentX);
    const int nz = FloorHalfTileCount(extentZ);
    SIndexedFloor floor;
    if (nx == 0 || nz == 0) {
        return floor;
    }
    // A tile reaches from its offset one tile size towards +x and towards -z, so the grid runs
    // over columns -nx..nx and rows -nz-1..nz-1, in tile sizes.
    const int columns = 2 * nx + 1;
    const int rows = 2 * nz + 1;
    const auto vertices = static_cast<std::size_t>(columns) * static_cast<std::size_t>(rows);
    floor.positions.reserve(vertices * 3);
    floor.normals.reserve(vertices * 3);
    for (int row = -nz - 1; row < nz; ++row) {
        for (int column = -nx; column <= nx; ++column) {
            floor.positions.insert(floor.positions.end(),
                                   {static_cast<float>(column) * kFloorTileSize, 0.0f,
                                    static_cast<float>(row) * kFloorTileSize});
            floor.normals.insert(floor.normals.end(), kFloorTileNormals.begin(),
                                 kFloorTileNormals.begin() + 3);
        }
    }
    std::array<int, kFloorTileVertexCount> cornerStep{}; // grid steps from a tile's first vertex
    for (int v = 0; v < kFloorTileVertexCount; ++v) {
        const int dx = static_cast<int>(kFloorTilePositions[v * 3] / kFloorTileSize);
        const int dz = static_cast<int>(kFloorTilePositions[v * 3 + 2] / kFloorTileSize);
        cornerStep[v] = dz * columns + dx;
    }
    floor.indices.reserve(static_cast<std::size_t>(2 * nx) * static_cast<std::size_t>(2 * nz) *
                          kFloorTileVertexCount);
    for (int i = -nz; i < nz; ++i) {
        for (int j = -nx; j < nx; ++j) {
            const int origin = (i + nz + 1) * columns + (j + nx);
            for (const int step : cornerStep) {
                floor.indices.push_back(static_cast<std::uint32_t>(origin + step));
            }
        }
    }
    return floor;
}
