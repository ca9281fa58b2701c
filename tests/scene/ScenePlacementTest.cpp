#include "scene/ScenePlacement.h"

#include <gtest/gtest.h>

TEST(ScenePlacement, SquaresAndSlots) {
    const CSquarePosition whiteKing = SquarePosition(4, 0);
    EXPECT_NEAR(whiteKing.x, 105.0f, 1e-4);
    EXPECT_NEAR(whiteKing.z, -5.0f, 1e-4);
    const CSquarePosition blackQueen = SquarePosition(3, 7);
    EXPECT_NEAR(blackQueen.x, 80.0f, 1e-4);
    EXPECT_NEAR(blackQueen.z, -180.0f, 1e-4);

    struct Slot {
        int n;
        EPieceColor capturer;
        float x, z;
    };
    const Slot slots[] = {
        {1, White, 216.5f, -31.25f},   {8, White, 216.5f, -153.75f}, {9, White, 234.0f, -31.25f},
        {15, White, 234.0f, -136.25f}, {1, Black, -31.5f, -153.75f}, {8, Black, -31.5f, -31.25f},
        {9, Black, -49.0f, -153.75f},
    };
    for (const Slot& slot : slots) {
        const CSquarePosition at = CapturedSlot(slot.n, slot.capturer);
        EXPECT_NEAR(at.x, slot.x, 1e-4) << slot.n << " " << slot.capturer;
        EXPECT_NEAR(at.z, slot.z, 1e-4) << slot.n << " " << slot.capturer;
    }
}
