#pragma once

#include "gfx3d/AnimationCurves.h"

#include <array>
#include <cstdint>
#include <vector>

// Geometry of the chessboard, in world units. No OpenGL.

inline constexpr float kSquareSize = 25.0f;
inline constexpr float kBlockHeight = 7.0f;
inline constexpr int kBoardSquares = 8;

// One board square: a block 25 wide, 7 high and 25 deep, standing on y = 0 and reaching from
// z = 0 towards -z. Six quads (front, top, back, bottom, left, right) of four vertices, each
// counter-clockwise seen from outside, so that back faces can be culled.
inline constexpr int kBlockVertexCount = 24;
// clang-format off
inline constexpr std::array<float, kBlockVertexCount * 3> kBlockPositions = {
    0, 0, 0,   25, 0, 0,   25, 7, 0,   0, 7, 0,   // front
    0, 7, 0,   25, 7, 0,   25, 7, -25, 0, 7, -25, // top
    0, 0, -25, 0, 7, -25, 25, 7, -25, 25, 0, -25, // back
    0, 0, 0,   0, 0, -25,  25, 0, -25, 25, 0, 0,  // bottom
    0, 0, 0,   0, 7, 0,    0, 7, -25,  0, 0, -25, // left
    25, 0, 0,  25, 0, -25, 25, 7, -25, 25, 7, 0,  // right
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
    0, 0, 1, 0, 1, 1, 0, 1, // front
    0, 0, 1, 0, 1, 1, 0, 1, // top
    0, 0, 0, 1, 1, 1, 1, 0, // back
    0, 0, 0, 1, 1, 1, 1, 0, // bottom
    0, 0, 1, 0, 1, 1, 0, 1, // left
    0, 0, 0, 1, 1, 1, 1, 0, // right
};
// clang-format on

// Where the block of the square at (row, column) is drawn for a board at `board`: rows run
// towards -z, columns towards +x.
SVec3 SquareOffset(int row, int column, const SVec3& board);
// The squares alternate like a chessboard's; the square at row 0, column 0 is red wood.
bool IsRedWoodSquare(int row, int column);

// The blocks of one wood, for a board at the origin, ready to be drawn as quads with one
// texture: each block's quads moved to its square, with the faces no one can see left out
// (the bottoms, and the sides that touch a neighbouring block). Three floats per vertex for
// positions and normals, two for texture coordinates, in the block table's order.
struct SBoardBatch {
    std::vector<float> positions;
    std::vector<float> normals;
    std::vector<float> texCoords;
    int VertexCount() const { return static_cast<int>(positions.size() / 3); }
};
SBoardBatch BuildBoardBatch(bool redWood);
