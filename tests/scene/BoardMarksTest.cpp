#include "scene/BoardMarks.h"

#include <gtest/gtest.h>

// A castling record gives the king's squares; the same record of a rook leaves the rook on the
// corner; a promotion gives its real square.
TEST(BoardMarksTest, MovedSquaresOfCastlingPromotionAndPlainMoves) {
    struct SCase {
        CMove move;
        CBoardSquare pieceAfter; // where a piece stands after the move
        CMoveSquares expected;
    };
    const SCase cases[] = {
        {{4, 1, 4, 3}, {4, 3}, {{4, 1}, {4, 3}}},  // e2-e4
        {{4, 0, 7, 0}, {6, 0}, {{4, 0}, {6, 0}}},  // O-O
        {{4, 7, 0, 7}, {2, 7}, {{4, 7}, {2, 7}}},  // O-O-O
        {{4, 0, 0, 0}, {0, 0}, {{4, 0}, {0, 0}}},  // Re1-a1
        {{6, 6, 7, 11}, {7, 7}, {{6, 6}, {7, 7}}}, // gxh8=Q
        {{1, 1, 0, -2}, {0, 0}, {{1, 1}, {0, 0}}}, // bxa1=B
    };
    for (const SCase& c : cases) {
        CChessboardState after;
        after.GetField(c.pieceAfter.file, c.pieceAfter.rank).PutPiece({White, Rook});
        const CMoveSquares squares = MovedSquares(c.move, after);
        EXPECT_EQ(squares, c.expected) << c.move.sourceFile << c.move.destFile << c.move.destRank;
    }
}

TEST(BoardMarksTest, KingsInCheckAreFoundOnTheirSquares) {
    CChessboardState board;
    board.GetField(4, 7).PutPiece({Black, King});
    board.GetField(0, 0).PutPiece({White, King});
    EXPECT_TRUE(KingsInCheck(board).empty());
    board.GetField(4, 1).PutPiece({White, Rook});  // checks e8
    board.GetField(7, 7).PutPiece({Black, Queen}); // checks a1 along the long diagonal
    EXPECT_EQ(KingsInCheck(board), (std::vector<CBoardSquare>{{0, 0}, {4, 7}}));
}
