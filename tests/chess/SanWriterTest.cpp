#include "chess/SanWriter.h"

#include "support/ChessTestUtil.h"

#include <string_view>

#include <gtest/gtest.h>

using testutil::Board;
using testutil::M;

// Cases the sample games do not hold; the round trip through the reader covers the rest.
TEST(SanWriter, MovesNoSampleHolds) {
    struct CCase {
        std::string_view pieces;
        std::string_view move;
        std::string_view san;
    };
    const CCase cases[] = {
        {"Ka2 kb6 Qh4 Qh1 Qe4", "h4e1", "Qh4e1"},    // file and rank both shared
        {"Ke1 Ne2 Nh5 re8 ka8", "h5g3", "Ng3"},      // the e2 knight is pinned
        {"Ke1 ke8 Pe5 pd5", "e5d6", "exd6"},         // en passant
        {"Ka1 ke8 Pg7 rh8", "g7h8=Q", "gxh8=Q+"},    // capturing promotion with check
        {"Ka1 kh8 Pb7", "b7b8=N", "b8=N"},           // under-promotion
        {"Ke1 ke8 pd2", "d2d1=Q", "d1=Q+"},          // Black promotes; Kxd1 answers
        {"Ke1 Ra1 kd8", "e1a1", "O-O-O+"},           // the rook checks from d1
        {"Kg1 Ra1 kg8 pf7 pg7 ph7", "a1a8", "Ra8#"}, // mate
        {"Kh1 Pc3 Pd2 ke5 pd5 pd6 pe6 pf6 pf5 pf4 pe4", "d2d4", "d4+"},     // only exd3 e.p.
        {"Kh1 Pc3 Pd2 Re1 ke5 pd5 pd6 pe6 pf6 pf5 pf4 pe4", "d2d4", "d4#"}, // e4 is pinned
        {"Ke1 ke8 Nb7", "b7b8=Q", ""}, // a knight cannot promote
    };
    for (const CCase& c : cases) {
        EXPECT_EQ(WriteSan(Board(c.pieces), M(c.move)), c.san) << c.pieces << " " << c.move;
    }
}

TEST(SanWriter, AGameIsWrittenUpToTheFirstMoveThatCannotBePlayed) {
    CChessboardState start;
    start.SetInitialPosition();
    const CChessGameData game("", "", "", "", "", "", ResultNone,
                              {M("e2e4"), M("e3e4"), M("e7e5")}); // nothing stands on e3
    EXPECT_EQ(WriteGameSan(start, game), (std::vector<std::string>{"e4", "", ""}));
}
