// The board's block table, square placement and the batches drawn per wood.

#include "gfx3d/BoardGeometry.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <map>
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

TEST(BoardGeometryTest, EveryBlockQuadIsAFaceOfTheBlockWoundCounterClockwiseFromOutside) {
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
            // The texture's corners go round the quad with its vertices, starting at (0, 0).
            const int next = quad * 4 + (v + 1) % 4;
            const float du = kBlockTexCoords[next * 2] - kBlockTexCoords[v * 2];
            const float dv = kBlockTexCoords[next * 2 + 1] - kBlockTexCoords[v * 2 + 1];
            EXPECT_EQ(std::abs(du) + std::abs(dv), 1.0f);
        }
        EXPECT_TRUE(kBlockTexCoords[quad * 8] == 0.0f && kBlockTexCoords[quad * 8 + 1] == 0.0f);
        // Counter-clockwise seen from outside: the corners turn about the outward normal.
        const SVec3 a = BlockVertex(quad * 4);
        const SVec3 b = BlockVertex(quad * 4 + 1);
        const SVec3 c = BlockVertex(quad * 4 + 2);
        const SVec3 e1{b.x - a.x, b.y - a.y, b.z - a.z};
        const SVec3 e2{c.x - a.x, c.y - a.y, c.z - a.z};
        EXPECT_GT(normal.x * (e1.y * e2.z - e1.z * e2.y) + normal.y * (e1.z * e2.x - e1.x * e2.z) +
                      normal.z * (e1.x * e2.y - e1.y * e2.x),
                  0.0f);
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

// Together the two batches show every square's top, the board's four outer sides and nothing
// else: the bottoms and the sides between neighbouring blocks are never seen.
TEST(BoardGeometryTest, TheTwoWoodBatchesHoldTheTopsAndTheOuterSides) {
    std::array<int, 2> tops{};
    std::map<std::pair<int, int>, int> outerSides; // normal (x, z) -> quads
    for (bool redWood : {false, true}) {
        const SBoardBatch batch = BuildBoardBatch(redWood);
        ASSERT_EQ(batch.normals.size(), batch.positions.size());
        ASSERT_EQ(batch.texCoords.size(), batch.positions.size() / 3 * 2);
        ASSERT_EQ(batch.VertexCount() % 4, 0);
        for (int v = 0; v < batch.VertexCount(); v += 4) {
            const float* n = &batch.normals[static_cast<std::size_t>(v) * 3];
            const float* p = &batch.positions[static_cast<std::size_t>(v) * 3];
            ASSERT_GE(n[1], 0.0f) << "no bottom";
            if (n[1] == 1.0f) {
                // The square under this top is of this batch's wood.
                const int column = static_cast<int>(p[0] / 25.0f);
                const int row = static_cast<int>(-p[2] / 25.0f);
                EXPECT_EQ(IsRedWoodSquare(row, column), redWood) << row << "," << column;
                ++tops[redWood ? 1 : 0];
                continue;
            }
            ++outerSides[{static_cast<int>(n[0]), static_cast<int>(n[2])}];
            // An outer side lies on the board's edge.
            const float edge = n[0] != 0.0f ? p[0] : p[2];
            EXPECT_TRUE(edge == 0.0f || edge == 200.0f || edge == -200.0f) << edge;
        }
    }
    EXPECT_EQ(tops, (std::array<int, 2>{32, 32}));
    EXPECT_EQ(outerSides, (std::map<std::pair<int, int>, int>{
                              {{0, 1}, 8}, {{0, -1}, 8}, {{1, 0}, 8}, {{-1, 0}, 8}}));
}
