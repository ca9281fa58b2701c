#include "chess/ChessGameData.h"

#include "chess/ChessExceptions.h"
#include "support/ExpectThrow.h"

#include <gtest/gtest.h>

namespace {

CChessGameData Game(std::vector<CMove> moves) {
    return CChessGameData("Ev", "Si", "Da", "Ro", "Wh", "Bl", 2, std::move(moves));
}

} // namespace

TEST(ChessGameData, MoveIndexesAreCheckedNegativeFirst) {
    const char* negative =
        "CChessGameData::GetMove(): Parameter 'i' is lower than 0! Index cannot be negative!";
    const char* outOfRange = "CChessGameData::GetMove(): Parameter 'i' is out of range!";

    const CChessGameData empty = Game({});
    EXPECT_EQ(empty.MovesCount(), 0);
    EXPECT_THROW_MSG(empty.GetMove(0), CChessGameDataException, outOfRange);
    EXPECT_THROW_MSG(empty.GetMove(-1), CChessGameDataException, negative);

    const CChessGameData game = Game({{4, 1, 4, 3}, {4, 6, 4, 4}, {4, 0, 7, 0}});
    EXPECT_EQ(game.MovesCount(), 3);
    EXPECT_EQ(game.GetMove(2), (CMove{4, 0, 7, 0}));
    EXPECT_THROW_MSG(game.GetMove(3), CChessGameDataException, outOfRange);
    EXPECT_THROW_MSG(game.GetMove(-1), CChessGameDataException, negative);
}

TEST(ChessGameData, KeepsTagsAsGivenAndCopiesAreIndependent) {
    CChessGameData original("  Event ", "Site", "2024.01.01", "1", "Ann", "Bob", 1, {{4, 1, 4, 3}},
                            "4k3/8/8/8/8/8/4P3/4K3  w - -");
    EXPECT_EQ(original.GetEvent(), "  Event ");
    EXPECT_EQ(original.GetSite(), "Site");
    EXPECT_EQ(original.GetDate(), "2024.01.01");
    EXPECT_EQ(original.GetRound(), "1");
    EXPECT_EQ(original.GetWhite(), "Ann");
    EXPECT_EQ(original.GetBlack(), "Bob");
    EXPECT_EQ(original.GetResult(), ResultBlackWon);

    EXPECT_EQ(original.GetStart(), "4k3/8/8/8/8/8/4P3/4K3  w - -");
    EXPECT_EQ(Game({}).GetStart(), "") << "the initial position";

    CChessGameData copy = original;
    copy = Game({{0, 6, 0, 11}, {0, 1, 0, -1}});
    EXPECT_EQ(original.MovesCount(), 1);
    EXPECT_EQ(original.GetMove(0), (CMove{4, 1, 4, 3}));
    EXPECT_EQ(copy.MovesCount(), 2);
    EXPECT_EQ(original.GetStart(), "4k3/8/8/8/8/8/4P3/4K3  w - -");
}
