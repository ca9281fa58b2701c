// The move curves of a piece: position and opacity as pure functions of start, target, type and
// normalised time.

#include "gfx3d/AnimationCurves.h"

#include <random>

#include <gtest/gtest.h>

namespace {

const SVec3 kStart{25.0f, 0.0f, -50.0f};
const SVec3 kTarget{75.0f, 10.0f, -150.0f};

SVec3 Line(float t) {
    return {kStart.x + t * (kTarget.x - kStart.x), kStart.y + t * (kTarget.y - kStart.y),
            kStart.z + t * (kTarget.z - kStart.z)};
}

void ExpectAt(const SVec3& actual, const SVec3& expected) {
    EXPECT_NEAR(actual.x, expected.x, 1e-4f);
    EXPECT_NEAR(actual.y, expected.y, 1e-4f);
    EXPECT_NEAR(actual.z, expected.z, 1e-4f);
}

} // namespace

TEST(AnimationCurvesTest, LineMovesEveryCoordinateAndExtrapolatesPastTheEnd) {
    for (const float t : {0.0f, 0.25f, 0.5f, 1.0f, 1.2f}) {
        SCOPED_TRACE(t);
        const SAnimationFrame frame = AnimationFrame(kStart, kTarget, kAnimationLine, t);
        EXPECT_TRUE(frame.setsPosition);
        EXPECT_EQ(frame.alpha, 1.0f);
        ExpectAt(frame.position, Line(t));
    }
}

TEST(AnimationCurvesTest, FadeAndDropFadesInPlaceThenComesDownOntoTheTarget) {
    SAnimationFrame frame = AnimationFrame(kStart, kTarget, kAnimationFadeAndDrop, 0.2f);
    EXPECT_FALSE(frame.setsPosition);
    EXPECT_NEAR(frame.alpha, 0.4f, 1e-6f);
    ExpectAt(frame.position, kStart);

    frame = AnimationFrame(kStart, kTarget, kAnimationFadeAndDrop, 0.0f);
    EXPECT_FALSE(frame.setsPosition);
    EXPECT_EQ(frame.alpha, 1.0f);
    frame = AnimationFrame(kStart, kTarget, kAnimationFadeAndDrop, 0.3299f);
    EXPECT_FALSE(frame.setsPosition);
    EXPECT_NEAR(frame.alpha, 1.0f - 3.0f * 0.3299f, 1e-6f);

    for (const float t : {0.33f, 0.6f, 1.0f, 1.1f}) {
        SCOPED_TRACE(t);
        frame = AnimationFrame(kStart, kTarget, kAnimationFadeAndDrop, t);
        EXPECT_TRUE(frame.setsPosition);
        EXPECT_EQ(frame.alpha, 1.0f);
        ExpectAt(frame.position, {kTarget.x, kTarget.y + 150.0f * (1.0f - t), kTarget.z});
    }
}

TEST(AnimationCurvesTest, KnightJumpsThirtyUnitsAtHalfTimeAndOtherPiecesSlide) {
    EXPECT_EQ(PieceMoveAnimation(Knight), kAnimationJump);
    for (const EPieceType kind : {Pawn, Bishop, Rook, Queen, King}) {
        EXPECT_EQ(PieceMoveAnimation(kind), kAnimationLine);
    }
    const SVec3 middle = Line(0.5f);
    const SAnimationFrame knight =
        AnimationFrame(kStart, kTarget, PieceMoveAnimation(Knight), 0.5f);
    ExpectAt(knight.position, {middle.x, middle.y + 30.0f, middle.z});
    const SAnimationFrame rook = AnimationFrame(kStart, kTarget, PieceMoveAnimation(Rook), 0.5f);
    ExpectAt(rook.position, middle);
}

TEST(AnimationCurvesTest, ArcsSwingThirtyFiveUnitsInZAtHalfTime) {
    const SVec3 middle = Line(0.5f);
    ExpectAt(AnimationFrame(kStart, kTarget, kAnimationArcPlusZ, 0.5f).position,
             {middle.x, middle.y, middle.z + 35.0f});
    ExpectAt(AnimationFrame(kStart, kTarget, kAnimationArcMinusZ, 0.5f).position,
             {middle.x, middle.y, middle.z - 35.0f});
    const SAnimationFrame quarter = AnimationFrame(kStart, kTarget, kAnimationArcMinusZ, 0.25f);
    EXPECT_TRUE(quarter.setsPosition);
    ExpectAt(quarter.position, {Line(0.25f).x, Line(0.25f).y, Line(0.25f).z - 140.0f * 0.1875f});
}

TEST(AnimationCurvesTest, HoldingTypesNeverMoveThePiece) {
    for (const std::uint32_t type : {kAnimationHold, 6u, 1000u}) {
        for (const float t : {0.0f, 0.5f, 1.0f, 2.0f}) {
            const SAnimationFrame frame = AnimationFrame(kStart, kTarget, type, t);
            EXPECT_FALSE(frame.setsPosition) << type << " at " << t;
            EXPECT_EQ(frame.alpha, 1.0f);
        }
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
