// The opening names shipped with the program, and the refusal of damaged data.

#include "openings/OpeningBook.h"

#include "openings/OpeningsExceptions.h"
#include "openings/OpeningsFolder.h"
#include "openings/SanLine.h"
#include "support/ExpectThrow.h"

#include <gtest/gtest.h>

// Each line of the data names its own final position, and no classification stops before it.
TEST(OpeningBookTest, EveryShippedLineNamesItsFinalPosition) {
    const COpeningBook book = COpeningBook::Load(OpeningsFolder());
    ASSERT_EQ(book.Size(), 3807u);
    for (std::size_t i = 0; i < book.Size(); ++i) {
        const COpeningEntry& entry = book.Entry(static_cast<COpeningBook::CEntryIndex>(i));
        CKeyedPosition position;
        ASSERT_EQ(ReadSanLine(entry.line, position).size(), static_cast<std::size_t>(entry.plies));
        EXPECT_EQ(book.Find(position.Key()), i) << entry.name;
        EXPECT_TRUE(book.MayReachNamed(position.Signature())) << entry.name;
    }
    EXPECT_EQ(book.Entry(0).eco, "A00");
    EXPECT_EQ(book.Entry(0).name, "Amar Opening");
    EXPECT_EQ(book.Find(CKeyedPosition().Key()), COpeningBook::kNone);
}

TEST(OpeningBookTest, DamagedDataIsRefusedWithItsLine) {
    const auto refused = [](const std::string& row, const std::string& why) {
        COpeningBook book;
        EXPECT_THROW_MSG(book.AddText("eco\tname\tpgn\n" + row + "\n", "x.tsv"), COpeningsException,
                         "COpeningBook::Load(): 'x.tsv' line 2: " + why);
    };
    refused("A00\tAmar Opening", "not three columns (eco, name, pgn)!");
    refused("A00\tAmar\tOpening\t1. Nh3", "not three columns (eco, name, pgn)!");
    refused("F00\tNo Such Volume\t1. e4", "no ECO code and name!");
    refused("A00\t\t1. e4", "no ECO code and name!");
    refused("A00\tNothing Played\t", "no moves!");
    refused("C20\tKing's Walk\t1. e4 e5 2. Ke3",
            "CPGNReader::FindNKSrcField(): There is no piece to make the move!");
    EXPECT_THROW_MSG(COpeningBook::Load("no/such/folder"), COpeningsException,
                     "COpeningBook::Load(): Cannot read 'no/such/folder/a.tsv' (No such file or "
                     "directory)!");
    // An unsealed or empty book names nothing and rules nothing out.
    COpeningBook empty;
    EXPECT_EQ(empty.Find(CKeyedPosition().Key()), COpeningBook::kNone);
    EXPECT_TRUE(empty.MayReachNamed({}));
}

// A named position can follow only while its home pawns are still home and no piece it has is
// gone: pawns never return and pieces never come back.
TEST(OpeningBookTest, ANamedPositionIsOutOfReachOnceAPawnItNeedsHasMoved) {
    COpeningBook book;
    book.AddText("C21\tCentre Game\t1. e4 e5 2. d4 d5\n", "x.tsv");
    book.Seal();
    const auto reachable = [&](std::string_view line) {
        CKeyedPosition position;
        ReadSanLine(line, position);
        return book.MayReachNamed(position.Signature());
    };
    EXPECT_TRUE(reachable(""));
    EXPECT_TRUE(reachable("1. d4 d5 2. Nf3"));
    EXPECT_TRUE(reachable("1. e4 e5 2. d4 d5"));
    EXPECT_FALSE(reachable("1. a4"));
    EXPECT_FALSE(reachable("1. e4 e5 2. d4 d5 3. exd5"));
    EXPECT_TRUE(book.MayReachNamed(CKeyedPosition::FromFen("8/8/8/8/8/8/8/k1K4P w - - 0 1")
                                       .Signature())); // a pawn set up on its first rank
}
