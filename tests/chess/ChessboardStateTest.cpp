#include "chess/ChessboardState.h"

#include "chess/ChessExceptions.h"
#include "support/ChessTestUtil.h"
#include "support/ExpectThrow.h"

#include <gtest/gtest.h>

using testutil::Diagram;

TEST(Field, PutTakeAndReadRefuseTheWrongState) {
    CField field;
    EXPECT_TRUE(field.IsEmpty());
    EXPECT_THROW_MSG(field.Piece(), CFieldException, "CField::Piece(): The field is empty!");
    EXPECT_THROW_MSG(field.TakePiece(), CFieldException,
                     "CField::TakePiece(): The field is already empty!");

    field.PutPiece({Black, Knight});
    EXPECT_THROW_MSG(field.PutPiece({White, Queen}), CFieldException,
                     "CField::PutPiece(): There is already a piece here!");
    EXPECT_EQ(field.Piece(), (CPiece{Black, Knight})) << "a refused PutPiece keeps the first piece";

    field.TakePiece();
    EXPECT_TRUE(field.IsEmpty());
    EXPECT_THROW_MSG(field.TakePiece(), CFieldException,
                     "CField::TakePiece(): The field is already empty!");
}

TEST(ChessboardState, NewBoardIsEmptyAndStorageIsFileMajor) {
    CChessboardState board;
    EXPECT_EQ(Diagram(board),
              "......../......../......../......../......../......../......../........");
    EXPECT_THROW_MSG(board.GetField(0, 0).Piece(), CFieldException,
                     "CField::Piece(): The field is empty!");

    board.GetField(0, 1).PutPiece({White, Pawn});   // a2
    board.GetField(1, 0).PutPiece({White, Knight}); // b1
    EXPECT_EQ(board.Element(1).Piece(), (CPiece{White, Pawn}));
    EXPECT_EQ(board.Element(8).Piece(), (CPiece{White, Knight}));
    for (int i = 0; i < 64; ++i) {
        EXPECT_EQ(board.Element(i).IsEmpty(), i != 1 && i != 8) << "element " << i;
    }
}

TEST(ChessboardState, CoordinatesOutsideTheBoardAreRefusedByBothForms) {
    CChessboardState board;
    const CChessboardState& readOnly = board;
    for (auto [file, rank] : {std::pair{8, 0}, {0, -1}, {-1, -1}, {0, 8}, {-1, 3}, {3, 11}}) {
        EXPECT_THROW_MSG(readOnly.GetField(file, rank), CChessboardStateException,
                         "CChessboardState::GetField(): Index out of range!");
        EXPECT_THROW_MSG(board.GetField(file, rank), CChessboardStateException,
                         "CChessboardState::GetField(): Index out of range!");
    }
    EXPECT_NO_THROW(readOnly.GetField(7, 7));
}

TEST(ChessboardState, InitialPositionFromAnyState) {
    CChessboardState board;
    board.SetInitialPosition();
    EXPECT_EQ(Diagram(board), testutil::kInitialDiagram);
    EXPECT_EQ(board.GetField(3, 0).Piece(), (CPiece{White, Queen}));
    EXPECT_EQ(board.GetField(4, 7).Piece(), (CPiece{Black, King}));
    EXPECT_EQ(board.GetField(0, 6).Piece(), (CPiece{Black, Pawn}));

    // A position in the middle of a game, with pieces on squares of the starting ranks and
    // between them, comes back to the same start.
    board.GetField(4, 1).TakePiece();
    board.GetField(4, 3).PutPiece({White, Pawn});
    board.GetField(3, 7).TakePiece();
    board.GetField(7, 3).PutPiece({Black, Queen});
    board.SetInitialPosition();
    EXPECT_EQ(Diagram(board), testutil::kInitialDiagram);
}
