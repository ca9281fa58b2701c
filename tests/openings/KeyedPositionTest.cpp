// Positions and their keys: played as the chess set plays, equal when pieces, side, castling
// rights and a legal en-passant capture agree, whatever the order of the moves.

#include "openings/KeyedPosition.h"

#include "SampleGames.h"
#include "openings/OpeningsExceptions.h"
#include "openings/SanLine.h"
#include "pgn/FenParser.h"
#include "pgn/PGNExceptions.h"
#include "support/ChessTestUtil.h"
#include "support/ExpectThrow.h"

#include <cstring>

#include <gtest/gtest.h>

namespace {

CKeyedPosition After(std::string_view line, CKeyedPosition position = {}) {
    ReadSanLine(line, position);
    return position;
}

CPositionKey FenKey(std::string_view fen) {
    return CKeyedPosition::FromFen(fen).Key();
}

} // namespace

// Every move of the samples and fixtures: board and castling rights are those CPosition keeps,
// an en-passant file is one of its double steps, and the key kept move by move is the key made
// afresh of the position's parts.
TEST(KeyedPositionTest, EveryGameFollowsTheChessSetAndKeepsItsKey) {
    const auto games = testutil::SampleGames();
    std::size_t moves = 0;
    for (std::size_t g = 0; g < games->Size(); ++g) {
        const CStoredGame& game = games->Game(g);
        CKeyedPosition position = CKeyedPosition::Start(game.Tag(kStart));
        CPosition reference = StartPosition(game.Tag(kStart));
        for (std::uint32_t i = 0; i < game.moveCount; ++i, ++moves) {
            position.Play(UnpackMove(game.moves[i]));
            reference.Play(UnpackMove(game.moves[i]));
            ASSERT_EQ(testutil::Diagram(position.Board()), testutil::Diagram(reference.board))
                << "game " << g << " ply " << i + 1;
            ASSERT_EQ(position.Castling(), reference.castling);
            ASSERT_TRUE(position.EnPassantFile() < 0 ||
                        position.EnPassantFile() == reference.enPassantFile);
            ASSERT_EQ(position.Key(),
                      CKeyedPosition::KeyOf(position.Board(), position.SideToMove(),
                                            position.Castling(), position.EnPassantFile()));
        }
    }
    EXPECT_GT(moves, 500u);
}

TEST(KeyedPositionTest, TranspositionsMeetAndHistoryCountsOnlyThroughRights) {
    const CPositionKey french = After("1. e4 e6 2. d4 d5").Key();
    EXPECT_EQ(french, After("1. d4 d5 2. e4 e6").Key());
    // No pawn can take on d6: the square written in a FEN does not count.
    EXPECT_EQ(french, FenKey("rnbqkbnr/ppp2ppp/4p3/3p4/3PP3/8/PPP2PPP/RNBQKBNR w KQkq d6 0 3"));
    EXPECT_EQ(After("1. Nf3 Nf6 2. Ng1 Ng8").Key(), CKeyedPosition().Key());
    // Rooks that went out and back have lost their castling rights.
    const CPositionKey noShort = After("1. Nf3 Nf6 2. Rg1 Rg8 3. Rh1 Rh8 4. Ng1 Ng8").Key();
    EXPECT_NE(noShort, CKeyedPosition().Key());
    EXPECT_EQ(noShort, FenKey("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w Qq - 8 5"));
    // Taking a rook on its square takes its right too.
    EXPECT_EQ(
        After("1. Rxa8", CKeyedPosition::FromFen("r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1")).Key(),
        FenKey("R3k2r/8/8/8/8/8/8/4K2R b Kk - 0 1"));
    // Rights the FEN grants without the king or the rook on its square do not count.
    EXPECT_EQ(FenKey("4k3/8/8/8/8/8/8/R3K3 w KQ - 0 1"), FenKey("4k3/8/8/8/8/8/8/R3K3 w Q - 0 1"));
    EXPECT_EQ(FenKey("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1"),
              CKeyedPosition().Key());
}

TEST(KeyedPositionTest, EnPassantCountsOnlyWhenTheCaptureIsLegal) {
    const CKeyedPosition open = After("1. e4 Nf6 2. e5 d5");
    EXPECT_EQ(open.EnPassantFile(), 3);
    EXPECT_EQ(open.Key(), FenKey("rnbqkb1r/ppp1pppp/5n2/3pP3/8/8/PPPP1PPP/RNBQKBNR w KQkq d6 0 3"));
    EXPECT_NE(open.Key(), FenKey("rnbqkb1r/ppp1pppp/5n2/3pP3/8/8/PPPP1PPP/RNBQKBNR w KQkq - 0 3"));
    // bxc6 would open the fifth rank between the rook and the king.
    const CKeyedPosition pinned =
        After("1... c5", CKeyedPosition::FromFen("4k3/2p5/8/KP5r/8/8/8/8 b - - 0 1"));
    EXPECT_EQ(pinned.EnPassantFile(), -1);
    EXPECT_EQ(pinned.Key(), FenKey("4k3/8/8/KPp4r/8/8/8/8 w - - 0 2"));
    EXPECT_EQ(pinned.Key(), FenKey("4k3/8/8/KPp4r/8/8/8/8 w - c6 0 2"));
    EXPECT_EQ(After("1... c5", CKeyedPosition::FromFen("4k3/2p5/8/KP6/8/8/8/7r b - - 0 1"))
                  .EnPassantFile(),
              2);
}

TEST(KeyedPositionTest, AMoveTheBoardRefusesLeavesThePositionAsItWas) {
    const CKeyedPosition initial;
    for (const char* move : {"e4e5", "e7e5", "a1a2", "i1i2", "g1e2"}) {
        CKeyedPosition position;
        const CMove record = move[0] == 'i' ? CMove{8, 0, 8, 1} : testutil::M(move);
        EXPECT_THROW_MSG(position.Play(record), COpeningsException,
                         "CKeyedPosition::Play(): Move not playable!");
        EXPECT_EQ(position.Key(), initial.Key()) << move;
    }
    CKeyedPosition position;
    EXPECT_THROW_MSG(ReadSanLine("1. e4 e5 2. Ke3", position), CPGNReaderException,
                     "CPGNReader::FindNKSrcField(): There is no piece to make the move!");
    EXPECT_EQ(position.Key(), After("1. e4 e5").Key());
}
