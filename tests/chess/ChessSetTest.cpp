#include "chess/ChessSet.h"

#include "chess/ChessExceptions.h"
#include "support/ChessTestUtil.h"
#include "support/ExpectThrow.h"

#include <random>
#include <vector>

#include <gtest/gtest.h>

using testutil::Diagram;
using testutil::M;
using testutil::Play;

namespace {

const char* const kNoPiece = "CChessSet::Move(): There is no piece on the source field!";
const char* const kOwnPiece = "CChessSet::Move(): You can't capture your own piece!";
const char* const kPawnThere = "CChessSet::Move(): You can't move your Pawn there!";
const char* const kOutOfRange = "CChessboardState::GetField(): Index out of range!";

std::vector<CPiece> Contents(const CCapturedPiecesSet& set) {
    std::vector<CPiece> out;
    for (int i = 0; i < set.Count(); ++i) {
        out.push_back(set.GetPiece(i));
    }
    return out;
}

// Expects the move to throw E with the text and to leave board, captured sets and flag alone,
// with the failing record in lastMove.
template <class E>
void ExpectRefused(CChessSet& set, const CMove& move, const char* text) {
    const std::string before = Diagram(set.Board());
    const auto whiteBefore = Contents(set.Captured(White));
    const auto blackBefore = Contents(set.Captured(Black));
    const bool flagBefore = set.MoveReady();
    EXPECT_THROW_MSG(set.Move(move), E, text);
    EXPECT_EQ(Diagram(set.Board()), before);
    EXPECT_EQ(Contents(set.Captured(White)), whiteBefore);
    EXPECT_EQ(Contents(set.Captured(Black)), blackBefore);
    EXPECT_EQ(set.MoveReady(), flagBefore);
    EXPECT_EQ(set.LastMove(), move);
}

} // namespace

TEST(ChessSet, PlainMoveHandsTheRecordOver) {
    CChessSet set;
    EXPECT_FALSE(set.MoveReady());
    set.Move({4, 1, 4, 3});
    EXPECT_TRUE(set.MoveReady());
    EXPECT_EQ(set.LastMove(), (CMove{4, 1, 4, 3}));
    EXPECT_EQ(Diagram(set.Board()),
              "rnbqkbnr/pppppppp/......../......../....P.../......../PPPP.PPP/RNBQKBNR");
    set.ClearMoveReady();
    EXPECT_FALSE(set.MoveReady());
}

TEST(ChessSet, CapturesGoToTheCapturersSetInOrder) {
    CChessSet set;
    Play(set, {"d1b8", "b8b7", "g7g2"});
    EXPECT_EQ(Contents(set.Captured(White)), (std::vector<CPiece>{{Black, Knight}, {Black, Pawn}}));
    EXPECT_EQ(Contents(set.Captured(Black)), (std::vector<CPiece>{{White, Pawn}}));
    EXPECT_EQ(Diagram(set.Board()),
              "r.bqkbnr/pQpppp.p/......../......../......../......../PPPPPPpP/RNB.KBNR");

    // Reset restores the start and empties both sets, and leaves the hand-over alone.
    set.Move(M("e2e4"));
    set.Reset();
    EXPECT_EQ(Diagram(set.Board()), testutil::kInitialDiagram);
    EXPECT_EQ(set.Captured(White).Count(), 0);
    EXPECT_EQ(set.Captured(Black).Count(), 0);
    EXPECT_TRUE(set.MoveReady());
    EXPECT_EQ(set.LastMove(), M("e2e4"));
}

TEST(ChessSet, SetUpPlacesAnyPositionWithEmptySetsAndWithdrawsTheHandOver) {
    CChessSet set;
    Play(set, {"d1d7"});
    set.Move(M("e2e4"));
    ASSERT_EQ(set.Captured(White).Count(), 1);
    ASSERT_TRUE(set.MoveReady());

    // A king and rook ending with the black king on a square of the initial position.
    CChessboardState position;
    position.GetField(6, 0).PutPiece({White, King});
    position.GetField(0, 0).PutPiece({White, Rook});
    position.GetField(4, 7).PutPiece({Black, King});
    position.GetField(7, 6).PutPiece({Black, Pawn});
    set.SetUp(position);
    EXPECT_EQ(Diagram(set.Board()), Diagram(position));
    EXPECT_EQ(set.Captured(White).Count(), 0);
    EXPECT_EQ(set.Captured(Black).Count(), 0);
    EXPECT_FALSE(set.MoveReady());
    EXPECT_EQ(set.LastMove(), M("e2e4"));

    // The set is a copy: play goes on from it without touching the position given.
    Play(set, {"a1a7", "h7h5", "a7a8"});
    EXPECT_EQ(Diagram(set.Board()),
              "R...k.../......../......../.......p/......../......../......../"
              "......K.");
    EXPECT_TRUE(position.GetField(0, 7).IsEmpty());

    // Back to the initial position, as a game without a set-up position starts.
    CChessboardState initial;
    initial.SetInitialPosition();
    set.SetUp(initial);
    EXPECT_EQ(Diagram(set.Board()), testutil::kInitialDiagram);
}

TEST(ChessSet, CastlingBothSidesBothColours) {
    CChessSet set;
    Play(set, {"f1f3", "g1h3", "b8b6", "c8c6", "d8d6", "b1a3", "c1c3", "d1d3", "f8f6", "g8h6"});
    set.Move({4, 0, 7, 0});
    EXPECT_TRUE(set.MoveReady());
    set.ClearMoveReady();
    Play(set, {"e8a8", "c3c4"});
    EXPECT_EQ(Diagram(set.Board()),
              "..kr...r/pppppppp/.nbq.b.n/......../..B...../N..Q.B.N/PPPPPPPP/R....RK.");

    CChessSet queenside;
    Play(queenside, {"b1a3", "c1c3", "d1d3", "f8f6", "g8h6", "e1a1", "e8h8"});
    EXPECT_EQ(Diagram(queenside.Board()),
              "rnbq.rk./pppppppp/.....b.n/......../......../N.BQ..../PPPPPPPP/..KR.BNR");
}

TEST(ChessSet, CastlingThatCannotBePlayedLeavesTheBoardSilently) {
    CChessSet set;
    // g1 free but f1 occupied; b8 and c8 free but d8 occupied.
    Play(set, {"g1h3", "b8a6", "c8c6"});
    const std::string before = Diagram(set.Board());
    for (const char* move : {"e1h1", "e8a8"}) {
        set.Move(M(move));
        EXPECT_TRUE(set.MoveReady()) << move;
        EXPECT_EQ(Diagram(set.Board()), before) << move;
        set.ClearMoveReady();
    }
    // A rook of the king's colour on another file of the home rank: also no change.
    Play(set, {"d1d4", "a1d1"});
    const std::string withRookOnD1 = Diagram(set.Board());
    set.Move(M("e1d1"));
    EXPECT_EQ(Diagram(set.Board()), withRookOnD1);

    // Away from its home square, or onto a rook of the other colour, a king's move onto a rook
    // is an ordinary move.
    CChessSet other;
    Play(other, {"e1e3", "f1f3", "g1g3"});
    ExpectRefused<CChessSetMoveException>(other, M("e3f3"), kOwnPiece);
    Play(other, {"h8h5", "e3h5"});
    EXPECT_EQ(Contents(other.Captured(White)), (std::vector<CPiece>{{Black, Rook}}));
}

TEST(ChessSet, PromotionToEachPieceForEachColour) {
    for (const char type : {'N', 'B', 'R', 'Q'}) {
        const EPieceType expected = static_cast<EPieceType>(std::string_view("PNBRQK").find(type));
        CChessSet set;
        Play(set, {"a7a6", "a8a3", "a2a7", "b2b4", "b1c3", "b7b2"});
        set.Move(M(std::string("a7a8=") + type));
        EXPECT_EQ(set.Board().GetField(0, 7).Piece(), (CPiece{White, expected}));
        EXPECT_TRUE(set.Board().GetField(0, 6).IsEmpty());
        set.ClearMoveReady();
        set.Move(M(std::string("b2b1=") + type));
        EXPECT_EQ(set.Board().GetField(1, 0).Piece(), (CPiece{Black, expected}));
        EXPECT_TRUE(set.Board().GetField(1, 1).IsEmpty());
        EXPECT_EQ(set.LastMove(), M(std::string("b2b1=") + type));
    }
    // The colour follows the promotion rank, not the pawn.
    CChessSet set;
    Play(set, {"b2b4", "b1c3", "a2b2"});
    set.Move({1, 1, 1, -4});
    EXPECT_EQ(set.Board().GetField(1, 0).Piece(), (CPiece{Black, Queen}));
}

TEST(ChessSet, CapturingPromotion) {
    CChessSet set;
    Play(set, {"a7a6", "a2a7"});
    ExpectRefused<CChessSetMoveException>(set, M("a7a8=Q"), kPawnThere);
    set.Move(M("a7b8=Q"));
    EXPECT_EQ(set.Board().GetField(1, 7).Piece(), (CPiece{White, Queen}));
    EXPECT_EQ(Contents(set.Captured(White)), (std::vector<CPiece>{{Black, Knight}}));
    EXPECT_EQ(set.LastMove(), (CMove{0, 6, 1, 11}));

    // Black takes a white rook on a1 and becomes a knight there.
    Play(set, {"b2b4", "b7b2", "b2a1=N"});
    EXPECT_EQ(set.Board().GetField(0, 0).Piece(), (CPiece{Black, Knight}));
    EXPECT_EQ(Contents(set.Captured(Black)), (std::vector<CPiece>{{White, Rook}}));

    // Straight onto an enemy, two files away, or onto its own piece: refused.
    CChessSet other;
    Play(other, {"b7b6", "b2b7"});
    ExpectRefused<CChessSetMoveException>(other, M("b7b8=Q"), kPawnThere);
    ExpectRefused<CChessSetMoveException>(other, M("b7d8=R"), kPawnThere);
    Play(other, {"a8h3", "c1a8"});
    ExpectRefused<CChessSetMoveException>(other, M("b7a8=Q"), kOwnPiece);
}

TEST(ChessSet, EnPassantTakesThePawnThatPassed) {
    CChessSet set;
    Play(set, {"e2e5", "d7d5", "e5d6"});
    EXPECT_TRUE(set.Board().GetField(3, 4).IsEmpty()) << "the passed pawn on d5 is taken";
    EXPECT_EQ(set.Board().GetField(3, 5).Piece(), (CPiece{White, Pawn}));
    EXPECT_EQ(Contents(set.Captured(White)), (std::vector<CPiece>{{Black, Pawn}}));

    Play(set, {"c7c4", "b2b4", "c4b3"});
    EXPECT_TRUE(set.Board().GetField(1, 3).IsEmpty());
    EXPECT_EQ(set.Board().GetField(1, 2).Piece(), (CPiece{Black, Pawn}));
    EXPECT_EQ(Contents(set.Captured(Black)), (std::vector<CPiece>{{White, Pawn}}));
}

TEST(ChessSet, OtherDiagonalPawnMovesOntoEmptySquaresCaptureNothing) {
    struct Case {
        const char* name;
        std::initializer_list<std::string_view> setup;
        const char* move;
        const char* beside; // the square that must keep its piece
    };
    const Case cases[] = {
        {"nothing beside", {"e2e5"}, "e5d6", "d5"},
        {"own pawn beside", {"e2e5", "d2d5"}, "e5d6", "d5"},
        {"knight beside", {"e2e5", "g8d5"}, "e5d6", "d5"},
        {"wrong rank", {"e2e4", "d7d4"}, "e4d5", "d4"},
        {"backwards", {"e2e4", "e7e2"}, "e2d3", "d2"},
    };
    for (const Case& c : cases) {
        CChessSet set;
        Play(set, c.setup);
        const CField beside = set.Board().GetField(c.beside[0] - 'a', c.beside[1] - '1');
        const CMove move = M(c.move);
        const CPiece mover = set.Board().GetField(move.sourceFile, move.sourceRank).Piece();
        set.Move(move);
        EXPECT_EQ(set.Captured(White).Count() + set.Captured(Black).Count(), 0) << c.name;
        EXPECT_EQ(set.Board().GetField(move.destFile, move.destRank).Piece(), mover) << c.name;
        const CField after = set.Board().GetField(c.beside[0] - 'a', c.beside[1] - '1');
        EXPECT_EQ(after.IsEmpty(), beside.IsEmpty()) << c.name;
        if (!beside.IsEmpty()) {
            EXPECT_EQ(after.Piece(), beside.Piece()) << c.name;
        }
    }
}

TEST(ChessSet, RefusedMovesReportAndChangeNothing) {
    CChessSet set;
    ExpectRefused<CChessSetMoveException>(set, M("e4e5"), kNoPiece);
    ExpectRefused<CChessboardStateException>(set, {-1, -1, 4, 3}, kOutOfRange);
    ExpectRefused<CChessboardStateException>(set, {4, 1, 4, 12}, kOutOfRange);
    // A promotion code on a knight is an ordinary destination outside the board.
    ExpectRefused<CChessboardStateException>(set, {1, 0, 2, 11}, kOutOfRange);
    ExpectRefused<CChessboardStateException>(set, {8, 1, 1, 11}, kOutOfRange);
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
            const std::string before = Diagram(set.Board());
            const auto whiteBefore = Contents(set.Captured(White));
            const auto blackBefore = Contents(set.Captured(Black));
            set.ClearMoveReady();
            bool threw = false;
            try {
                set.Move(move);
            } catch (const CGeneralException&) {
                threw = true;
            }
            ASSERT_EQ(set.MoveReady(), !threw);
            ASSERT_EQ(set.LastMove(), move);
            if (threw) {
                ASSERT_EQ(Diagram(set.Board()), before);
                ASSERT_EQ(Contents(set.Captured(White)), whiteBefore);
                ASSERT_EQ(Contents(set.Captured(Black)), blackBefore);
            }
            int onBoard = 0;
            for (char c : Diagram(set.Board())) {
                onBoard += c != '.' && c != '/';
            }
            ASSERT_EQ(onBoard + set.Captured(White).Count() + set.Captured(Black).Count(), 32);
        }
    }
}
