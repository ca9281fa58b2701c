#include "chess/ChessSet.h"

#include "chess/ChessExceptions.h"

#include <cstdlib>

namespace {

// A pawn's diagonal step onto the empty square behind an enemy pawn that has just passed it:
// rank index 5 for White, 2 for Black, with that pawn beside the mover's source.
bool IsEnPassant(const CChessboardState& board, const CPiece& mover, const CMove& move) {
    const int forward = mover.color == White ? 1 : -1;
    const int targetRank = mover.color == White ? 5 : 2;
    if (mover.type != Pawn || std::abs(move.destFile - move.sourceFile) != 1 ||
        move.destRank - move.sourceRank != forward || move.destRank != targetRank) {
        return false;
    }
    const CField passed = board.GetField(move.destFile, move.sourceRank);
    return !passed.IsEmpty() && passed.Piece() == CPiece{Opponent(mover.color), Pawn};
}

} // namespace

CChessSet::CChessSet() {
    Reset();
}

void CChessSet::Reset() {
    board.SetInitialPosition();
    captured[Black].Clear();
    captured[White].Clear();
}

void CChessSet::SetUp(const CChessboardState& position) {
    board = position;
    captured[Black].Clear();
    captured[White].Clear();
    moveReady.store(false, std::memory_order_release);
}

void CChessSet::CopyPosition(const CChessSet& other) {
    board = other.board;
    captured = other.captured;
    moveReady.store(false, std::memory_order_release);
}

void CChessSet::Capture(EPieceColor mover, int file, int rank) {
    CField& field = board.GetField(file, rank);
    captured[mover].Add(field.Piece());
    field.TakePiece();
}

void CChessSet::Promote(const CPiece& pawn, const CMove& move, const CDestination& to) {
    const CField target = board.GetField(to.file, to.rank);
    if (!target.IsEmpty()) {
        if (std::abs(move.destFile - move.sourceFile) != 1) {
            throw CChessSetMoveException("CChessSet::Move(): You can't move your Pawn there!");
        }
        if (target.Piece().color == pawn.color) {
            throw CChessSetMoveException("CChessSet::Move(): You can't capture your own piece!");
        }
        Capture(pawn.color, to.file, to.rank);
    }
    const CPiece promoted{to.rank == 7 ? White : Black, to.promotion};
    board.GetField(move.sourceFile, move.sourceRank).TakePiece();
    board.GetField(to.file, to.rank).PutPiece(promoted);
}

bool CChessSet::TryCastle(const CPiece& king, const CMove& move, const CField& dest) {
    if (move.sourceFile != 4 || dest.IsEmpty()) {
        return false;
    }
    const CPiece rook = dest.Piece();
    if (rook.type != Rook || rook.color != king.color) {
        return false;
    }
    const int r = move.sourceRank;
    const bool homeRank = (r == 0 && king.color == White) || (r == 7 && king.color == Black);
    if (!homeRank || move.destRank != r) {
        return false;
    }
    auto empty = [&](int file) { return board.GetField(file, r).IsEmpty(); };
    if (move.destFile == 0 && empty(3) && empty(2) && empty(1)) {
        board.GetField(4, r).TakePiece();
        board.GetField(0, r).TakePiece();
        board.GetField(2, r).PutPiece(king);
        board.GetField(3, r).PutPiece(rook);
    } else if (move.destFile == 7 && empty(5) && empty(6)) {
        board.GetField(4, r).TakePiece();
        board.GetField(7, r).TakePiece();
        board.GetField(6, r).PutPiece(king);
        board.GetField(5, r).PutPiece(rook);
    }
    // Any other king move onto its own rook on the home rank leaves the board unchanged.
    return true;
}

void CChessSet::Move(const CMove& move) {
    lastMove = move;
    const CField source = board.GetField(move.sourceFile, move.sourceRank);
    if (source.IsEmpty()) {
        throw CChessSetMoveException("CChessSet::Move(): There is no piece on the source field!");
    }
    const CPiece mover = source.Piece();

    const CDestination to = move.Destination();
    if (mover.type == Pawn && to.promotion != Pawn) {
        Promote(mover, move, to);
    } else {
        const CField dest = board.GetField(move.destFile, move.destRank);
        if (mover.type != King || !TryCastle(mover, move, dest)) {
            if (!dest.IsEmpty()) {
                if (dest.Piece().color == mover.color) {
                    throw CChessSetMoveException(
                        "CChessSet::Move(): You can't capture your own piece!");
                }
                Capture(mover.color, move.destFile, move.destRank);
            } else if (IsEnPassant(board, mover, move)) {
                Capture(mover.color, move.destFile, move.sourceRank);
            }
            board.GetField(move.sourceFile, move.sourceRank).TakePiece();
            board.GetField(move.destFile, move.destRank).PutPiece(mover);
        }
    }
    moveReady.store(true, std::memory_order_release);
}
