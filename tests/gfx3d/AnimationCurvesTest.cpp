// The move curves of a piece: position and opacity as pure functions of start, target, type and
// normalised time.

#include "gfx3d/AnimationCurves.h"

#include <random>

#include <gtest/gtest.h>

namespace {

void ExpectAt(const SVec3& actual, const SVec3& expected) {
    EXPECT_NEAR(actual.x, expected.x, 1e-4f);
    EXPECT_NEAR(actual.y, expected.y, 1e-4f);
    EXPECT_NEAR(actual.z, expected.z, 1e-4f);
}

} // namespace

// From (25, 0, -50) to (75, 10, -150): the line extrapolates past the end; a captured piece
// fades in place for a third of the time, then drops from 150 above onto the target; the
// knight jumps 30 up and the castling rook swings 35 aside in z at half time; other types hold
// the piece where it is.
TEST(AnimationCurvesTest, EachCurveAtChosenTimes) {
    const SVec3 start{25.0f, 0.0f, -50.0f};
    const SVec3 target{75.0f, 10.0f, -150.0f};
    const struct {
        std::uint32_t type;
        float t;
        bool moves;
        SVec3 position;
        float alpha;
    } cases[] = {
        {kAnimationLine, 0.0f, true, start, 1.0f},
        {kAnimationLine, 0.25f, true, {37.5f, 2.5f, -75.0f}, 1.0f},
        {kAnimationLine, 1.2f, true, {85.0f, 12.0f, -170.0f}, 1.0f},
        {kAnimationFadeAndDrop, 0.0f, false, start, 1.0f},
        {kAnimationFadeAndDrop, 0.2f, false, start, 0.4f},
        {kAnimationFadeAndDrop, 0.3299f, false, start, 1.0f - 3.0f * 0.3299f},
        {kAnimationFadeAndDrop, 0.33f, true, {75.0f, 10.0f + 150.0f * 0.67f, -150.0f}, 1.0f},
        {kAnimationFadeAndDrop, 1.1f, true, {75.0f, 10.0f - 15.0f, -150.0f}, 1.0f},
        {kAnimationJump, 0.5f, true, {50.0f, 35.0f, -100.0f}, 1.0f},
        {kAnimationArcPlusZ, 0.5f, true, {50.0f, 5.0f, -65.0f}, 1.0f},
        {kAnimationArcMinusZ, 0.5f, true, {50.0f, 5.0f, -135.0f}, 1.0f},
        {kAnimationArcMinusZ, 0.25f, true, {37.5f, 2.5f, -75.0f - 140.0f * 0.1875f}, 1.0f},
        {kAnimationHold, 0.5f, false, start, 1.0f},
        {6, 1.0f, false, start, 1.0f},
        {1000, 2.0f, false, start, 1.0f},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.type << " at " << c.t);
        const SAnimationFrame frame = AnimationFrame(start, target, c.type, c.t);
        EXPECT_EQ(frame.setsPosition, c.moves);
        EXPECT_NEAR(frame.alpha, c.alpha, 1e-6f);
        if (c.moves || c.type == kAnimationFadeAndDrop) {
            ExpectAt(frame.position, c.position);
        }
    }
    EXPECT_EQ(PieceMoveAnimation(Knight), kAnimationJump);
    for (const EPieceType kind : {Pawn, Bishop, Rook, Queen, King}) {
        EXPECT_EQ(PieceMoveAnimation(kind), kAnimationLine);
    }
}

TEST(AnimationCurvesTest, MovingCurvesStartAtTheStartAndEndAtTheTarget) {
    std::mt19937 random(7);
    std::uniform_real_distribution<float> coordinate(-300.0f, 300.0f);
    for (int round = 0; round < 200; ++round) {
        const SVec3 start{coordinate(random), coordinate(random), coordinate(random)};
        const SVec3 target{coordinate(random), coordinate(random), coordinate(random)};
        for (const std::uint32_t type :
             {kAnimationLine, kAnimationJump, kAnimationArcPlusZ, kAnimationArcMinusZ}) {
            SCOPED_TRACE(type);
            ExpectAt(AnimationFrame(start, target, type, 0.0f).position, start);
            ExpectAt(AnimationFrame(start, target, type, 1.0f).position, target);
        }
        ExpectAt(AnimationFrame(start, target, kAnimationFadeAndDrop, 1.0f).position, target);
    }
}

TEST(AnimationCurvesTest, ProgressIsElapsedOverDurationAndAZeroDurationIsOver) {
    EXPECT_FLOAT_EQ(AnimationProgress(150, 300), 0.5f);
    EXPECT_FLOAT_EQ(AnimationProgress(450, 300), 1.5f);
    EXPECT_EQ(AnimationProgress(0, 300), 0.0f);
    EXPECT_EQ(AnimationProgress(0, 0), 1.0f);
    EXPECT_EQ(AnimationProgress(20, 0), 1.0f);
}
