// Preparation of the piece models for the board, on random models.

#include "gfx3d/PieceModel.h"

#include <algorithm>
#include <random>
#include <vector>

#include <gtest/gtest.h>

namespace {

struct SModel {
    std::vector<float> positions, normals, texCoords;
    int Count() const { return static_cast<int>(positions.size() / 3); }
};

SPieceModelArrays Prepare(const SModel& model) {
    return PreparePieceModel(model.positions.data(), model.normals.data(), model.texCoords.data(),
                             model.Count());
}

struct SExtent {
    float low[3];
    float high[3];
};

SExtent ExtentOf(const std::vector<float>& positions) {
    SExtent e{{positions[0], positions[1], positions[2]},
              {positions[0], positions[1], positions[2]}};
    for (std::size_t i = 0; i < positions.size(); ++i) {
        e.low[i % 3] = std::min(e.low[i % 3], positions[i]);
        e.high[i % 3] = std::max(e.high[i % 3], positions[i]);
    }
    return e;
}

} // namespace

// Random models, and an empty one that stays empty: fifteen wide, standing on the board's top at
// y = 7 and mirrored in z, with their proportions; texture coordinates are scaled by 0.6.
TEST(PieceModelTest, AnyModelBecomesFifteenWideStandingOnTheBoardWithItsProportions) {
    EXPECT_EQ(PreparePieceModel(nullptr, nullptr, nullptr, 0).positions.size(), 0u);
    std::mt19937 random(2024);
    for (int round = 0; round < 300; ++round) {
        SCOPED_TRACE(round);
        const int count = std::uniform_int_distribution<int>(1, 100)(random) * 3;
        std::uniform_real_distribution<float> unit(-1.0f, 1.0f);
        float size[3];
        float centre[3];
        for (int axis = 0; axis < 3; ++axis) {
            size[axis] = std::uniform_real_distribution<float>(0.01f, 500.0f)(random);
            centre[axis] = std::uniform_real_distribution<float>(-1000.0f, 1000.0f)(random);
        }
        SModel model;
        for (int i = 0; i < count * 3; ++i) {
            model.positions.push_back(centre[i % 3] + size[i % 3] * unit(random));
            model.normals.push_back(unit(random));
            model.texCoords.push_back(unit(random) + 1.0f);
        }
        const SPieceModelArrays prepared = Prepare(model);
        ASSERT_EQ(prepared.vertexCount, model.Count());
        const SExtent before = ExtentOf(model.positions);
        const SExtent after = ExtentOf(prepared.positions);
        EXPECT_EQ(after.low[0], 0.0f);
        EXPECT_EQ(after.low[1], 7.0f);
        EXPECT_EQ(after.high[2], 0.0f);
        EXPECT_NEAR(after.high[0], 15.0f, 1e-4f);
        const double scale = 15.0 / (before.high[0] - before.low[0]);
        for (int axis = 1; axis < 3; ++axis) {
            const double span = (before.high[axis] - before.low[axis]) * scale;
            EXPECT_NEAR(after.high[axis] - after.low[axis], span, 1e-5 * span + 1e-3);
        }
        // The corner nearest the file's -z ends at z = 0, the one nearest +z furthest towards -z.
        for (std::size_t i = 2; i < model.positions.size(); i += 3) {
            if (model.positions[i] == before.low[2]) {
                EXPECT_EQ(prepared.positions[i], 0.0f);
            }
            if (model.positions[i] == before.high[2]) {
                EXPECT_EQ(prepared.positions[i], after.low[2]);
            }
            EXPECT_EQ(prepared.normals[i], -model.normals[i]);
            EXPECT_EQ(prepared.normals[i - 1], model.normals[i - 1]);
            EXPECT_EQ(prepared.normals[i - 2], model.normals[i - 2]);
            for (std::size_t k = i - 2; k <= i; ++k) {
                EXPECT_FLOAT_EQ(prepared.texCoords[k], model.texCoords[k] * 0.6f);
            }
        }
    }
}
