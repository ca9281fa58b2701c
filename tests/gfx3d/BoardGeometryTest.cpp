// The board's block table and square placement, and the floor drawn in one call (as tiles and as
// the indexed grid) against the floor drawn tile by tile.

#include "gfx3d/BoardGeometry.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

namespace {

constexpr int kQuads = kBlockVertexCount / 4;

SVec3 BlockVertex(int index) {
    return {kBlockPositions[index * 3], kBlockPositions[index * 3 + 1],
            kBlockPositions[index * 3 + 2]};
}

SVec3 BlockNormal(int index) {
    return {kBlockNormals[index * 3], kBlockNormals[index * 3 + 1], kBlockNormals[index * 3 + 2]};
}

} // namespace

TEST(BoardGeometryTest, EveryBlockQuadIsAFaceOfTheBlockFacingOutwards) {
    const SVec3 centre{12.5f, 3.5f, -12.5f};
    int topQuads = 0;
    for (int quad = 0; quad < kQuads; ++quad) {
        SCOPED_TRACE(quad);
        const SVec3 normal = BlockNormal(quad * 4);
        float distance = 0.0f;
        for (int v = quad * 4; v < quad * 4 + 4; ++v) {
            const SVec3 n = BlockNormal(v);
            EXPECT_TRUE(n.x == normal.x && n.y == normal.y && n.z == normal.z);
            const SVec3 p = BlockVertex(v);
            const float d = normal.x * (p.x - centre.x) + normal.y * (p.y - centre.y) +
                            normal.z * (p.z - centre.z);
            EXPECT_GT(d, 0.0f);
            if (v > quad * 4) {
                EXPECT_EQ(d, distance) << "vertex " << v << " off the face";
            }
            distance = d;
            EXPECT_EQ(kBlockTexCoords[v * 2], (v % 4 == 1 || v % 4 == 2) ? 1.0f : 0.0f);
            EXPECT_EQ(kBlockTexCoords[v * 2 + 1], (v % 4 >= 2) ? 1.0f : 0.0f);
        }
        topQuads += normal.y == 1.0f ? 1 : 0;
    }
    EXPECT_EQ(topQuads, 1);
}

TEST(BoardGeometryTest, SquaresTileTheBoardWithTheirTopsAtSeven) {
    for (const SVec3 board : {SVec3{0, 0, 0}, SVec3{-10, 3, 40}}) {
        for (int row = 0; row < kBoardSquares; ++row) {
            for (int column = 0; column < kBoardSquares; ++column) {
                SCOPED_TRACE(testing::Message() << row << "," << column);
                const SVec3 offset = SquareOffset(row, column, board);
                float low[3] = {1e9f, 1e9f, 1e9f};
                float high[3] = {-1e9f, -1e9f, -1e9f};
                for (int v = 0; v < kBlockVertexCount; ++v) {
                    const SVec3 p = BlockVertex(v);
                    const float world[3] = {p.x + offset.x, p.y + offset.y, p.z + offset.z};
                    for (int axis = 0; axis < 3; ++axis) {
                        low[axis] = std::min(low[axis], world[axis]);
                        high[axis] = std::max(high[axis], world[axis]);
                    }
                    if (BlockNormal(v).y == 1.0f) {
                        EXPECT_EQ(world[1], board.y + 7.0f);
                    }
                }
                EXPECT_EQ(low[0], board.x + 25.0f * column);
                EXPECT_EQ(high[0], board.x + 25.0f * column + 25.0f);
                EXPECT_EQ(high[2], board.z - 25.0f * row);
                EXPECT_EQ(low[2], board.z - 25.0f * row - 25.0f);
                EXPECT_EQ(low[1], board.y);
                EXPECT_EQ(high[1], board.y + 7.0f);
            }
        }
    }
}

TEST(BoardGeometryTest, WoodsAlternateStartingWithRedWoodAtRowZeroColumnZero) {
    // Two texture slots, B for even and A for odd columns, exchanged after every row.
    bool slotA = false; // false: wood, true: red wood
    bool slotB = true;
    for (int row = 0; row < kBoardSquares; ++row) {
        for (int column = 0; column < kBoardSquares; ++column) {
            EXPECT_EQ(IsRedWoodSquare(row, column), column % 2 == 0 ? slotB : slotA)
                << row << "," << column;
        }
        std::swap(slotA, slotB);
    }
}

TEST(BoardGeometryTest, OneCallFloorHoldsTheTilesOfTheTileLoopInItsOrder) {
    EXPECT_EQ(FloorHalfTileCount(500.0f), 125);
    EXPECT_EQ(FloorHalfTileCount(503.9f), 125);
    EXPECT_EQ(FloorHalfTileCount(3.0f), 0);
    const SVec3 offset = FloorTileOffset(-3, 5);
    EXPECT_TRUE(offset.x == 10.0f && offset.y == 0.0f && offset.z == -6.0f);

    const SFloorArrays floor = BuildFloorTiles(500.0f, 500.0f);
    ASSERT_EQ(floor.vertexCount, 250 * 250 * 4);
    ASSERT_EQ(floor.positions.size(), static_cast<std::size_t>(floor.vertexCount) * 3);
    ASSERT_EQ(floor.normals.size(), floor.positions.size());
    std::size_t at = 0;
    for (int i = -125; i < 125; ++i) {
        for (int j = -125; j < 125; ++j) {
            const SVec3 tile = FloorTileOffset(i, j);
            for (int v = 0; v < kFloorTileVertexCount; ++v, at += 3) {
                ASSERT_EQ(floor.positions[at], kFloorTilePositions[v * 3] + tile.x);
                ASSERT_EQ(floor.positions[at + 1], kFloorTilePositions[v * 3 + 1] + tile.y);
                ASSERT_EQ(floor.positions[at + 2], kFloorTilePositions[v * 3 + 2] + tile.z);
                ASSERT_EQ(floor.normals[at], 0.0f);
                ASSERT_EQ(floor.normals[at + 1], 1.0f);
                ASSERT_EQ(floor.normals[at + 2], 0.0f);
            }
        }
    }
    float low[3] = {1e9f, 1e9f, 1e9f};
    float high[3] = {-1e9f, -1e9f, -1e9f};
    for (std::size_t k = 0; k < floor.positions.size(); ++k) {
        low[k % 3] = std::min(low[k % 3], floor.positions[k]);
        high[k % 3] = std::max(high[k % 3], floor.positions[k]);
    }
    EXPECT_EQ(low[0], -250.0f);
    EXPECT_EQ(high[0], 250.0f);
    EXPECT_EQ(low[2], -252.0f);
    EXPECT_EQ(high[2], 248.0f);
    EXPECT_EQ(low[1], 0.0f);
    EXPECT_EQ(high[1], 0.0f);
}

TEST(BoardGeometryTest, IndexedFloorExpandsToTheOneCallFloorWithEachSharedCornerOnce) {
    for (const auto& [extentX, extentZ] : {std::pair{500.0f, 500.0f}, std::pair{12.0f, 21.0f},
                                           std::pair{4.0f, 4.0f}, std::pair{3.0f, 500.0f}}) {
        SCOPED_TRACE(testing::Message() << extentX << " x " << extentZ);
        const SFloorArrays tiles = BuildFloorTiles(extentX, extentZ);
        const SIndexedFloor floor = BuildIndexedFloor(extentX, extentZ);
        ASSERT_EQ(floor.indices.size(), static_cast<std::size_t>(tiles.vertexCount));
        ASSERT_EQ(floor.normals.size(), floor.positions.size());
        std::vector<float> positions;
        std::vector<float> normals;
        std::vector<bool> used(static_cast<std::size_t>(floor.VertexCount()), false);
        for (const std::uint32_t index : floor.indices) {
            ASSERT_LT(index, used.size());
            used[index] = true;
            for (std::size_t k = index * 3; k < index * 3 + 3; ++k) {
                positions.push_back(floor.positions[k]);
                normals.push_back(floor.normals[k]);
            }
        }
        EXPECT_EQ(positions, tiles.positions);
        EXPECT_EQ(normals, tiles.normals);
        const int nx = FloorHalfTileCount(extentX);
        const int nz = FloorHalfTileCount(extentZ);
        const int grid = nx > 0 && nz > 0 ? (2 * nx + 1) * (2 * nz + 1) : 0;
        EXPECT_EQ(floor.VertexCount(), grid);
        EXPECT_EQ(std::count(used.begin(), used.end(), false), 0);
    }
}
