#include "chess/ChessboardState.h"

#include "chess/ChessExceptions.h"

void CChessboardState::ThrowOutOfRange() {
    throw CChessboardStateException("CChessboardState::GetField(): Index out of range!");
}

void CChessboardState::SetInitialPosition() {
    for (int file = 0; file < 8; ++file) {
        for (int rank = 0; rank < 8; ++rank) {
            CField& field = GetField(file, rank);
            if (!field.IsEmpty()) {
                field.TakePiece();
            }
        }
    }
    for (int file = 0; file < 8; ++file) {
        GetField(file, 1).PutPiece({White, Pawn});
        GetField(file, 6).PutPiece({Black, Pawn});
    }
    static constexpr std::array<EPieceType, 8> backRank = {Rook, Knight, Bishop, Queen,
                                                           King, Bishop, Knight, Rook};
    for (int file = 0; file < 8; ++file) {
        GetField(file, 0).PutPiece({White, backRank[static_cast<std::size_t>(file)]});
        GetField(file, 7).PutPiece({Black, backRank[static_cast<std::size_t>(file)]});
    }
}
