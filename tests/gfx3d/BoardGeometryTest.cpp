// The batches drawn per wood. The blocks' faces and places show in the GUI tests' pictures,
// where the tints and the pieces are found on their squares.

#include "gfx3d/BoardGeometry.h"

#include <array>
#include <cstddef>
#include <map>
#include <utility>

#include <gtest/gtest.h>

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
