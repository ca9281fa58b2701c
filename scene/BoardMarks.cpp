#include "scene/BoardMarks.h"

#include "chess/KingSafety.h"

CMoveSquares MovedSquares(const CMove& move, const CChessboardState& after) {
    const CDestination to = move.Destination();
    CMoveSquares squares{{move.sourceFile, move.sourceRank}, {to.file, to.rank}};
    const bool homeRank = move.sourceRank == 0 || move.sourceRank == 7;
    const bool ontoCorner = move.sourceFile == 4 && homeRank && to.promotion == Pawn &&
                            to.rank == move.sourceRank && (to.file == 0 || to.file == 7);
    if (ontoCorner && after.GetField(to.file, to.rank).IsEmpty()) {
        squares.to.file = to.file == 0 ? 2 : 6;
    }
    return squares;
}

std::vector<CBoardSquare> KingsInCheck(const CChessboardState& board) {
    std::vector<CBoardSquare> squares;
    for (EPieceColor side : {White, Black}) {
        if (!IsKingAttacked(board, side)) {
            continue;
        }
        for (int file = 0; file < 8; ++file) {
            for (int rank = 0; rank < 8; ++rank) {
                const CField field = board.GetField(file, rank);
                if (!field.IsEmpty() && field.Piece() == CPiece{side, King}) {
                    squares.push_back({file, rank});
                }
            }
        }
    }
    return squares;
}
