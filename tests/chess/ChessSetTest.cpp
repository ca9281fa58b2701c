#include "chess/ChessSet.h"

#include "chess/ChessExceptions.h"
#include "support/ChessTestUtil.h"
#include "support/ExpectThrow.h"

#include <algorithm>
#include <random>
#include <vector>

#include <gtest/gtest.h>

using testutil::Diagram;
using testutil::M;
using testutil::Play;

namespace {

const char* const kOwnPiece = "CChessSet::Move(): You can't capture your own piece!";
const char* const kPawnThere = "CChessSet::Move(): You can't move your Pawn there!";
const char* const kOutOfRange = "CChessboardState::GetField(): Index out of range!";

// The board and both captured sets in one comparable text.
std::string Position(const CChessSet& set) {
    std::string text = Diagram(set.Board());
    for (const EPieceColor side : {White, Black}) {
        text += " ";
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
                             "PPPP.PpP/RNB.KBNR np P");
    set.Move(M("e4e5"));
    set.Reset();
    EXPECT_EQ(Position(set), std::string(testutil::kInitialDiagram) + "  ");
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
    EXPECT_EQ(Position(set), Diagram(position) + "  ");
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

// The king's move onto its own rook castles, both sides for both colours; with a square
// between them taken, or a rook of its colour elsewhere on the home rank, nothing moves. Away
// from its home square, or onto a rook of the other colour, it is an ordinary move.
TEST(ChessSet, CastlingBothSidesBothColours) {
    CChessSet set;
    Play(set, {"f1f3", "g1h3", "b8b6", "c8c6", "d8d6", "b1a3", "c1c3", "d1d3", "f8f6", "g8h6",
               "e1h1", "e8a8", "c3c4"});
    EXPECT_EQ(Diagram(set.Board()),
              "..kr...r/pppppppp/.nbq.b.n/......../..B...../N..Q.B.N/PPPPPPPP/R....RK.");
    CChessSet queenside;
    Play(queenside, {"b1a3", "c1c3", "d1d3", "f8f6", "g8h6", "e1a1", "e8h8"});
    EXPECT_EQ(Diagram(queenside.Board()),
              "rnbq.rk./pppppppp/.....b.n/......../......../N.BQ..../PPPPPPPP/..KR.BNR");

    CChessSet blocked;
    Play(blocked, {"g1h3", "b8a6", "c8c6", "d1d4", "a1d1"});
    const std::string before = Diagram(blocked.Board());
    for (const char* move : {"e1h1", "e8a8", "e1d1"}) {
        blocked.Move(M(move));
        EXPECT_TRUE(blocked.MoveReady()) << move;
        EXPECT_EQ(Diagram(blocked.Board()), before) << move;
    }
    CChessSet other;
    Play(other, {"e1e3", "f1f3", "g1g3"});
    ExpectRefused<CChessSetMoveException>(other, M("e3f3"), kOwnPiece);
    Play(other, {"h8h5", "e3h5"});
    EXPECT_EQ(Position(other).substr(72), "r ");
}

// Straight or capturing, to each piece, for each colour; the colour follows the promotion
// rank. A pawn may not go straight onto a piece, two files aside, or onto its own piece.
TEST(ChessSet, PromotionToEachPieceForEachColour) {
    for (const char type : {'N', 'B', 'R', 'Q'}) {
        const auto expected = static_cast<EPieceType>(std::string_view("PNBRQK").find(type));
        CChessSet set;
        Play(set, {"a7a6", "a8a3", "a2a7", "b2b4", "b1c3", "b7b2"});
        Play(set, {std::string("a7a8=") + type, std::string("b2b1=") + type});
        EXPECT_EQ(set.Board().GetField(0, 7).Piece(), (CPiece{White, expected}));
        EXPECT_EQ(set.Board().GetField(1, 0).Piece(), (CPiece{Black, expected}));
        EXPECT_TRUE(set.Board().GetField(0, 6).IsEmpty() && set.Board().GetField(1, 1).IsEmpty());
    }
    CChessSet set;
    Play(set, {"b2b4", "b1c3", "a2b2"});
    set.Move({1, 1, 1, -4});
    EXPECT_EQ(set.Board().GetField(1, 0).Piece(), (CPiece{Black, Queen}));

    CChessSet capturing;
    Play(capturing, {"a7a6", "a2a7"});
    ExpectRefused<CChessSetMoveException>(capturing, M("a7a8=Q"), kPawnThere);
    ExpectRefused<CChessSetMoveException>(capturing, M("a7c8=R"), kPawnThere);
    Play(capturing, {"a7b8=Q", "b2b4", "b7b2", "b2a1=N"});
    EXPECT_EQ(Position(capturing),
              "rQbqkbnr/..pppppp/p......./......../.P....../......../..PPPPPP/nNBQKBNR n R");
    CChessSet own;
    Play(own, {"b7b6", "b2b7", "a8h3", "c1a8"});
    ExpectRefused<CChessSetMoveException>(own, M("b7a8=Q"), kOwnPiece);
}

// En passant takes the pawn that passed; other diagonal pawn moves onto empty squares take
// nothing, whatever stands beside.
TEST(ChessSet, OnlyEnPassantTakesAPawnBeside) {
    const struct {
        std::initializer_list<std::string_view> moves;
        const char* squares;
        const char* pieces;
        const char* captured;
    } cases[] = {
        {{"e2e5", "d7d5", "e5d6"}, "d6d5", "P.", "p "},
        {{"c7c4", "b2b4", "c4b3"}, "b3b4", "p.", " P"},
        {{"e2e5", "e5d6"}, "d6d5", "P.", " "},
        {{"e2e5", "d2d5", "e5d6"}, "d6d5", "PP", " "},
        {{"e2e5", "g8d5", "e5d6"}, "d6d5", "Pn", " "},
        {{"e2e4", "d7d4", "e4d5"}, "d5d4", "Pp", " "},
        {{"e2e4", "e7e2", "e2d3"}, "d3d2", "pP", " "},
    };
    for (const auto& c : cases) {
        CChessSet set;
        Play(set, c.moves);
        const std::string position = Position(set);
        std::string pieces;
        for (int i = 0; i < 4; i += 2) {
            pieces += position[static_cast<std::size_t>(('8' - c.squares[i + 1]) * 9 +
                                                        c.squares[i] - 'a')];
        }
        EXPECT_EQ(pieces + position.substr(72), std::string(c.pieces) + c.captured) << c.squares;
    }
}

TEST(ChessSet, RefusedMovesReportAndChangeNothing) {
    CChessSet set;
    ExpectRefused<CChessSetMoveException>(set, M("e4e5"),
                                          "CChessSet::Move(): There is no piece on the source "
                                          "field!");
    // A promotion code on a knight is an ordinary destination outside the board.
    for (const CMove move :
         {CMove{-1, -1, 4, 3}, CMove{4, 1, 4, 12}, CMove{1, 0, 2, 11}, CMove{8, 1, 1, 11}}) {
        ExpectRefused<CChessboardStateException>(set, move, kOutOfRange);
    }
    ExpectRefused<CChessSetMoveException>(set, M("d1d2"), kOwnPiece);
    // A captured king would break the captured set: the king stays, the queen too.
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
