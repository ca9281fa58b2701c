#include "chess/ChessGameData.h"

#include "chess/ChessExceptions.h"
#include "support/ExpectThrow.h"

#include <gtest/gtest.h>

// Tags and the start are kept as given; a copy is independent of its original; move indexes
// outside the game are refused.
TEST(ChessGameData, KeepsWhatItIsGivenAndRefusesIndexesOutsideTheMoves) {
    CChessGameData original("  Event ", "Site", "2024.01.01", "1", "Ann", "Bob", 1, {{4, 1, 4, 3}},
                            "4k3/8/8/8/8/8/4P3/4K3  w - -");
    EXPECT_EQ(original.GetEvent() + "|" + original.GetSite() + "|" + original.GetDate() + "|" +
                  original.GetRound() + "|" + original.GetWhite() + "|" + original.GetBlack(),
              "  Event |Site|2024.01.01|1|Ann|Bob");
    EXPECT_EQ(original.GetResult(), ResultBlackWon);
    CChessGameData copy = original;
    copy = CChessGameData("", "", "", "", "", "", 2, {{0, 6, 0, 11}, {0, 1, 0, -1}});
    EXPECT_EQ(copy.GetStart(), "") << "the initial position";
    EXPECT_EQ(copy.GetMove(1), (CMove{0, 1, 0, -1}));
    EXPECT_EQ(original.MovesCount(), 1);
    EXPECT_EQ(original.GetMove(0), (CMove{4, 1, 4, 3}));
    EXPECT_EQ(original.GetStart(), "4k3/8/8/8/8/8/4P3/4K3  w - -");
    EXPECT_THROW_MSG(original.GetMove(1), CChessGameDataException,
                     "CChessGameData::GetMove(): Parameter 'i' is out of range!");
    EXPECT_THROW_MSG(original.GetMove(-1), CChessGameDataException,
                     "CChessGameData::GetMove(): Parameter 'i' is lower than 0! Index cannot be "
                     "negative!");
}
