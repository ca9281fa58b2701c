#include "chess/KingSafety.h"

#include "support/ChessTestUtil.h"

#include <string_view>

#include <gtest/gtest.h>

using testutil::Board;

TEST(KingSafety, KingAttacks) {
    struct CCase {
        std::string_view pieces;
        EPieceColor side;
        bool attacked;
    };
    const CCase cases[] = {
        {"Ke4 pd5", White, true},      {"Ke4 pf5", White, true},      {"Ke4 pd3", White, false},
        {"ke4 Pd3", Black, true},      {"ke4 Pd5", Black, false},     {"Ke4 nf6", White, true},
        {"Ke4 nf5", White, false},     {"Ke4 kd5", White, true},      {"Ke1 re8", White, true},
        {"Ke1 Ne4 re8", White, false}, {"Ke1 ne4 re8", White, false}, {"Ke1 bh4", White, true},
        {"Ke1 be8", White, false},     {"Ke1 rh4", White, false},     {"Ke1 qh4", White, true},
        {"Ke1 qa1", White, true},      {"Ke1 Rh4", White, false},     {"Ke1 re8", Black, false},
    };
    for (const CCase& c : cases) {
        EXPECT_EQ(IsKingAttacked(Board(c.pieces), c.side), c.attacked) << c.pieces;
    }
    EXPECT_FALSE(IsKingAttacked(Board("Qe4 re8"), White)); // no king, no check
    EXPECT_TRUE(LeavesOwnKingAttacked(Board("Ke1 Ne2 re8"), {4, 1, 6, 2}));
    EXPECT_FALSE(LeavesOwnKingAttacked(Board("Ke1 Re2 re8"), {4, 1, 4, 7}));
    EXPECT_FALSE(LeavesOwnKingAttacked(Board("Ke1 re8"), {4, 0, 3, 1}));
    EXPECT_TRUE(LeavesOwnKingAttacked(Board("Ke1 rd8"), {4, 0, 3, 0}));
}
