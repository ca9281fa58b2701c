#pragma once

#include "gfx3d/AnimationCurves.h"

#include <array>
#include <cstdint>
#include <vector>

// Geometry of the chessboard and the floor, in world units. No OpenGL.

inline constexpr float kSquareSize = 25.0f;
inline constexpr float kBlockHeight = 7.0f;
inline constexpr int kBoardSquares = 8;

// One board square: a block 25 wide, 7 high and 25 deep, standing on y = 0 and reaching from
// z = 0 towards -z. Six quads (front, top, back, bottom, left, right) of four vertices.
inline constexpr int kBlockVertexCount = 24;
// clang-format off
inline constexpr std::array<float, kBlockVertexCount * 3> kBlockPositions = {
    0, 0, 0,   25, 0, 0,   25, 7, 0,   0, 7, 0,   // front
    0, 7, 0,   25, 7, 0,   25, 7, -25, 0, 7, -25, // top
    0, 0, -25, 25, 0, -25, 25, 7, -25, 0, 7, -25, // back
    0, 0, 0,   25, 0, 0,   25, 0, -25, 0, 0, -25, // bottom
    0, 0, 0,   0, 7, 0,    0, 7, -25,  0, 0, -25, // left
    25, 0, 0,  25, 7, 0,   25, 7, -25, 25, 0, -25, // right
};
inline constexpr std::array<float, kBlockVertexCount * 3> kBlockNormals = {
    0,  0, 1,  0,  0, 1,  0,  0, 1,  0,  0, 1,  // front
    0,  1, 0,  0,  1, 0,  0,  1, 0,  0,  1, 0,  // top
    0,  0, -1, 0,  0, -1, 0,  0, -1, 0,  0, -1, // back
    0,  -1, 0, 0,  -1, 0, 0,  -1, 0, 0,  -1, 0, // bottom
    -1, 0, 0,  -1, 0, 0,  -1, 0, 0,  -1, 0, 0,  // left
    1,  0, 0,  1,  0, 0,  1,  0, 0,  1,  0, 0,  // right
};
inline constexpr std::array<float, kBlockVertexCount * 2> kBlockTexCoords = {
    0, 0, 1, 0, 1, 1, 0, 1, //
    0, 0, 1, 0, 1, 1, 0, 1, //
    0, 0, 1, 0, 1, 1, 0, 1, //
    0, 0, 1, 0, 1, 1, 0, 1, //
    0, 0, 1, 0, 1, 1, 0, 1, //
    0, 0, 1, 0, 1, 1, 0, 1, //
};
// clang-format on

// Where the block of the square at (row, column) is drawn for a board at `board`: rows run
// towards -z, columns towards +x.
SVec3 SquareOffset(int row, int column, const SVec3& board);
// The squares alternate like a chessboard's; the square at row 0, column 0 is red wood.
bool IsRedWoodSquare(int row, int column);

// One floor tile: a 2 x 2 quad on y = 0 reaching from z = 0 towards -z, facing up.
inline constexpr float kFloorTileSize = 2.0f;
inline constexpr int kFloorTileVertexCount = 4;
// clang-format off
inline constexpr std::array<float, kFloorTileVertexCount * 3> kFloorTilePositions = {
    0, 0, 0,   2, 0, 0,   2, 0, -2,   0, 0, -2};
inline constexpr std::array<float, kFloorTileVertexCount * 3> kFloorTileNormals = {
    0, 1, 0,   0, 1, 0,   0, 1, 0,    0, 1, 0};
// clang-format on

// Tiles on each side of the centre along an axis of the given extent: the integer part of a
// quarter of the extent (125 for 500).
int FloorHalfTileCount(float extent);
// The offset of tile (i, j), i along z and j along x, both from -n to n - 1.
SVec3 FloorTileOffset(int i, int j);

// Every tile of a floor of the given extents, its four vertices already moved by its offset,
// in the order of the tile loop: i (z) outside, j (x) inside.
struct SFloorArrays {
    std::vector<float> positions;
    std::vector<float> normals;
    int vertexCount = 0;
};
SFloorArrays BuildFloorTiles(float extentX, float extentZ);

// The same floor as BuildFloorTiles with the corners that neighbouring tiles share stored once:
// a grid of (2nx + 1) x (2nz + 1) vertices, and four indices per tile, the tiles and their
// corners in the order of BuildFloorTiles. Drawn as indexed quads it gives the same quads, but
// the renderer lights each grid vertex once instead of up to four times.
struct SIndexedFloor {
    std::vector<float> positions;
    std::vector<float> normals;
    std::vector<std::uint32_t> indices;
    int VertexCount() const { return static_cast<int>(positions.size() / 3); }
};
SIndexedFloor BuildIndexedFloor(float extentX, float extentZ);
