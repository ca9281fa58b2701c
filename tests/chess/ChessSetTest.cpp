#include "chess/ChessSet.h"

#include "chess/ChessExceptions.h"
#include "support/ChessTestUtil.h"
#include "support/ExpectThrow.h"

#include <algorithm>
#include <fstream>
#include <map>
#include <random>
#include <sstream>
#include <vector>

#include <gtest/gtest.h>

using testutil::Diagram;
using testutil::M;
using testutil::Play;

namespace {

const char* const kOwnPiece = "CChessSet::Move(): You can't capture your own piece!";
const char* const kPawnThere = "CChessSet::Move(): You can't move your Pawn there!";
const char* const kOutOfRange = "CChessboardState::GetField(): Index out of range!";

// The board and the pieces White and Black have taken: "board W/B".
std::string Position(const CChessSet& set) {
    std::string text = Diagram(set.Board());
    for (const EPieceColor side : {White, Black}) {
        text += side == White ? " " : "/";
        for (int i = 0; i < set.Captured(side).Count(); ++i) {
            const CPiece piece = set.Captured(side).GetPiece(i);
            text += "PNBRQKpnbrqk"[piece.type + 6 * piece.color];
        }
    }
    return text;
}

// Expects the move to throw E with the text and to leave board, captured sets and flag alone,
// with the failing record in lastMove.
template <class E>
void ExpectRefused(CChessSet& set, const CMove& move, const char* text) {
    const std::string before = Position(set);
    const bool flagBefore = set.MoveReady();
    EXPECT_THROW_MSG(set.Move(move), E, text);
    EXPECT_EQ(Position(set), before);
    EXPECT_EQ(set.MoveReady(), flagBefore);
    EXPECT_EQ(set.LastMove(), move);
}

} // namespace

// A move hands its record over through the flag; captures go to the capturer's set in order;
// Reset restores the start and empties both sets, and leaves the hand-over alone.
TEST(ChessSet, MovesAndCapturesHandTheRecordOver) {
    CChessSet set;
    EXPECT_FALSE(set.MoveReady());
    set.Move({4, 1, 4, 3});
    EXPECT_TRUE(set.MoveReady());
    EXPECT_EQ(set.LastMove(), (CMove{4, 1, 4, 3}));
    set.ClearMoveReady();
    EXPECT_FALSE(set.MoveReady());
    Play(set, {"d1b8", "b8b7", "g7g2"});
    EXPECT_EQ(Position(set), "r.bqkbnr/pQpppp.p/......../......../....P.../......../"
                             "PPPP.PpP/RNB.KBNR np/P");
    set.Move(M("e4e5"));
    set.Reset();
    EXPECT_EQ(Position(set), std::string(testutil::kInitialDiagram) + " /");
    EXPECT_TRUE(set.MoveReady());
    EXPECT_EQ(set.LastMove(), M("e4e5"));
}

// Any position, with empty sets and the hand-over withdrawn; the set is a copy, so play goes
// on from it without touching the position given.
TEST(ChessSet, SetUpPlacesAnyPositionWithEmptySetsAndWithdrawsTheHandOver) {
    CChessSet set;
    Play(set, {"d1d7"});
    set.Move(M("e2e4"));
    const CChessboardState position = testutil::Board("Kg1 Ra1 ke8 ph7");
    set.SetUp(position);
    EXPECT_EQ(Position(set), Diagram(position) + " /");
    EXPECT_FALSE(set.MoveReady());
    EXPECT_EQ(set.LastMove(), M("e2e4"));
    Play(set, {"a1a7", "h7h5", "a7a8"});
    EXPECT_EQ(Diagram(set.Board()),
              "R...k.../......../......../.......p/......../......../......../......K.");
    EXPECT_TRUE(position.GetField(0, 7).IsEmpty());
    CChessboardState initial;
    initial.SetInitialPosition();
    set.SetUp(initial);
    EXPECT_EQ(Diagram(set.Board()), testutil::kInitialDiagram);
}

// Each record of tests/fixtures/moves/move_records.txt, played from the initial position,
// leaves the position written after it: castling, promotion, en passant and refusals.
TEST(ChessSet, RecordsOfTheFixtureLeaveTheirPositions) {
    const std::map<std::string, const char*> refusals = {
        {"own-piece", kOwnPiece},
        {"pawn-there", kPawnThere},
        {"no-piece", "CChessSet::Move(): There is no piece on the source field!"}};
    std::ifstream fixture("tests/fixtures/moves/move_records.txt");
    int checked = 0;
    for (std::string line; std::getline(fixture, line);) {
        const std::size_t arrow = line.find(" => ");
        if (line.starts_with("#") || arrow == std::string::npos) {
            continue;
        }
        SCOPED_TRACE(line);
        std::vector<std::string> records;
        for (std::istringstream in(line.substr(0, arrow)); !in.eof();) {
            in >> records.emplace_back();
        }
        CChessSet set;
        for (std::size_t i = 0; i + 1 < records.size(); ++i) {
            Play(set, {records[i]});
        }
        const std::string expected = line.substr(arrow + 4);
        if (expected.starts_with("refused ")) {
            ExpectRefused<CChessSetMoveException>(set, M(records.back()),
                                                  refusals.at(expected.substr(8)));
        } else {
            const std::string before = Position(set);
            set.Move(M(records.back()));
            EXPECT_TRUE(set.MoveReady());
            EXPECT_EQ(Position(set), expected == "unchanged" ? before : expected);
        }
        ++checked;
    }
    EXPECT_EQ(checked, 25);
}

// Records off the board, and a capture of a king, which would break the captured set: the
// king stays, the queen too.
TEST(ChessSet, RefusedMovesReportAndChangeNothing) {
    CChessSet set;
    // A promotion code on a knight is an ordinary destination outside the board.
    for (const CMove move :
         {CMove{-1, -1, 4, 3}, CMove{4, 1, 4, 12}, CMove{1, 0, 2, 11}, CMove{8, 1, 1, 11}}) {
        ExpectRefused<CChessboardStateException>(set, move, kOutOfRange);
    }
    Play(set, {"e7e6"});
    ExpectRefused<CCapturedPiecesException>(
        set, M("d1e8"),
        "CCapturedPiecesSet::Validate(): You can't put a King into captured pieces set. "
        "Something's wrong!");
}

// Random move records, legal or not, from random positions: a record either completes and
// sets the flag, or throws and leaves everything as it was; no piece is ever created or lost.
TEST(ChessSet, RandomRecordsAreAllOrNothingAndConservePieces) {
    std::mt19937 rng(11);
    auto coord = [&] { return static_cast<int>(rng() % 10) - 1; };
    for (int game = 0; game < 200; ++game) {
        CChessSet set;
        for (int step = 0; step < 60; ++step) {
            CMove move{coord(), coord(), coord(), coord()};
            if (rng() % 4 == 0) {
                move.destRank =
                    rng() % 2 ? 8 + static_cast<int>(rng() % 4) : -1 - static_cast<int>(rng() % 4);
            }
            const std::string before = Position(set);
            set.ClearMoveReady();
            bool threw = false;
            try {
                set.Move(move);
            } catch (const CGeneralException&) {
                threw = true;
            }
            ASSERT_EQ(set.MoveReady(), !threw);
            ASSERT_EQ(set.LastMove(), move);
            const std::string after = Position(set);
            if (threw) {
                ASSERT_EQ(after, before);
            }
            ASSERT_EQ(std::count_if(after.begin(), after.end(),
                                    [](char c) { return c > '.' && c != '/'; }),
                      32)
                << after;
        }
    }
}
