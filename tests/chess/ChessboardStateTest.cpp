#include "chess/ChessboardState.h"

#include "chess/ChessExceptions.h"
#include "support/ChessTestUtil.h"
#include "support/ExpectThrow.h"

#include <gtest/gtest.h>

using testutil::Diagram;

TEST(Field, PutTakeAndReadRefuseTheWrongState) {
    CField field;
    EXPECT_THROW_MSG(field.Piece(), CFieldException, "CField::Piece(): The field is empty!");
    EXPECT_THROW_MSG(field.TakePiece(), CFieldException,
                     "CField::TakePiece(): The field is already empty!");
    field.PutPiece({Black, Knight});
    EXPECT_THROW_MSG(field.PutPiece({White, Queen}), CFieldException,
                     "CField::PutPiece(): There is already a piece here!");
    EXPECT_EQ(field.Piece(), (CPiece{Black, Knight})) << "a refused PutPiece keeps the first piece";
    field.TakePiece();
    EXPECT_TRUE(field.IsEmpty());
}

// A new board is empty and stored file by file; both forms of GetField refuse squares off the
// board; the initial position comes back from any state.
TEST(ChessboardState, StorageCoordinatesAndTheInitialPosition) {
    CChessboardState board;
    EXPECT_EQ(Diagram(board),
              "......../......../......../......../......../......../......../........");
    board.GetField(0, 1).PutPiece({White, Pawn});   // a2
    board.GetField(1, 0).PutPiece({White, Knight}); // b1
    for (int i = 0; i < 64; ++i) {
        EXPECT_EQ(board.Element(i).IsEmpty(), i != 1 && i != 8) << "element " << i;
    }
    EXPECT_EQ(board.Element(8).Piece(), (CPiece{White, Knight}));
    const CChessboardState& readOnly = board;
    for (auto [file, rank] : {std::pair{8, 0}, {0, -1}, {-1, -1}, {0, 8}, {-1, 3}, {3, 11}}) {
        EXPECT_THROW_MSG(readOnly.GetField(file, rank), CChessboardStateException,
                         "CChessboardState::GetField(): Index out of range!");
        EXPECT_THROW_MSG(board.GetField(file, rank), CChessboardStateException,
                         "CChessboardState::GetField(): Index out of range!");
    }
    board.GetField(7, 3).PutPiece({Black, Queen});
    board.SetInitialPosition();
    EXPECT_EQ(Diagram(board), testutil::kInitialDiagram);
}
