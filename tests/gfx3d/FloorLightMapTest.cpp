#include "gfx3d/FloorLightMap.h"

#include <cmath>
#include <utility>

#include <gtest/gtest.h>

// The four lights stand symmetric about the board centre (100, -100), so the pool of light
// does too; it is bright on the board and dim at the floor's far corners.
TEST(FloorLightMapTest, ThePoolIsSymmetricAboutTheBoardCentreAndFadesOutsideTheCones) {
    for (float x = -140.0f; x <= 340.0f; x += 37.0f) {
        for (float z = -340.0f; z <= 140.0f; z += 41.0f) {
            const float b = FloorBrightness(x, z);
            EXPECT_GE(b, 0.0f);
            EXPECT_LE(b, kFloorDiffuse * 4.0f);
            EXPECT_NEAR(FloorBrightness(200.0f - x, z), b, 1e-6f) << x << "," << z;
            EXPECT_NEAR(FloorBrightness(x, -200.0f - z), b, 1e-6f) << x << "," << z;
        }
    }
    EXPECT_GT(FloorBrightness(100.0f, -100.0f), 0.1f);
    EXPECT_GT(FloorBrightness(100.0f, -100.0f), FloorBrightness(100.0f, 60.0f));
    EXPECT_LT(FloorBrightness(-150.0f, 248.0f), FloorBrightness(100.0f, -100.0f) / 10.0f);
}

TEST(FloorLightMapTest, EachTexelHoldsTheBrightnessAtItsCentre) {
    const int size = 8;
    const std::vector<std::uint8_t> map = BuildFloorLightMap(size, -150.0f, 148.0f, 500.0f, 500.0f);
    ASSERT_EQ(map.size(), 64u);
    for (const auto& [row, column] : {std::pair{0, 0}, std::pair{3, 5}, std::pair{7, 2}}) {
        const float x = -150.0f + 62.5f * (static_cast<float>(column) + 0.5f);
        const float z = 148.0f - 62.5f * (static_cast<float>(row) + 0.5f);
        EXPECT_EQ(map[static_cast<std::size_t>(row * size + column)],
                  std::lround(FloorBrightness(x, z) * 255.0f))
            << row << "," << column;
    }
}
