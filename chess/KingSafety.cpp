#include "chess/KingSafety.h"

#include "chess/PieceReach.h"

namespace {

bool Holds(const CChessboardState& board, int file, int rank, const CPiece& piece) {
    return Inside(file, rank) && FieldAt(board, file, rank).Holds(piece);
}

// Whether the pawn of `side` on (file, rank) may legally step forward (two squares from its
// start rank), capture, or capture en passant on `enPassantFile`.
bool PawnHasLegalMove(const CChessboardState& board, int file, int rank, EPieceColor side,
                      int enPassantFile) {
    const int forward = side == White ? 1 : -1;
    const int next = rank + forward;
    if (next < 0 || next > 7) {
        return false;
    }
    auto legal = [&](int toFile, int toRank) {
        return !LeavesOwnKingAttacked(board, {file, rank, toFile, toRank});
    };
    if (FieldAt(board, file, next).IsEmpty()) {
        if (legal(file, next)) {
            return true;
        }
        const int startRank = side == White ? 1 : 6;
        if (rank == startRank && FieldAt(board, file, next + forward).IsEmpty() &&
            legal(file, next + forward)) {
            return true;
        }
    }
    const int passedRank = side == White ? 4 : 3;
    for (const int toFile : {file - 1, file + 1}) {
        if (toFile < 0 || toFile > 7) {
            continue;
        }
        const CField& target = FieldAt(board, toFile, next);
        const bool capture = target.IsEmpty()
                                 ? toFile == enPassantFile && rank == passedRank &&
                                       Holds(board, toFile, rank, {Opponent(side), Pawn})
                                 : target.Piece().color != side;
        if (capture && legal(toFile, next)) {
            return true;
        }
    }
    return false;
}

} // namespace

bool IsSquareAttacked(const CChessboardState& board, int file, int rank, EPieceColor attacker) {
    // A pawn attacks towards the side it moves to, so it stands one rank behind the target
    // as seen from its own side.
    const int pawnRank = attacker == White ? rank - 1 : rank + 1;
    if (Holds(board, file - 1, pawnRank, {attacker, Pawn}) ||
        Holds(board, file + 1, pawnRank, {attacker, Pawn})) {
        return true;
    }
    // The pieces that attack like `type` from (file, rank), the queen with the sliders.
    auto attackedLike = [&](EPieceType type) {
        return ForEachSquareReached(board, file, rank, type, [&](int f, int r) {
            const CField& field = FieldAt(board, f, r);
            if (field.IsEmpty()) {
                return false;
            }
            const CPiece piece = field.Piece();
            return piece.color == attacker &&
                   (piece.type == type ||
                    (piece.type == Queen && (type == Rook || type == Bishop)));
        });
    };
    return attackedLike(Knight) || attackedLike(King) || attackedLike(Rook) || attackedLike(Bishop);
}

bool IsKingAttacked(const CChessboardState& board, EPieceColor side) {
    const CPiece king{side, King};
    for (int file = 0; file < 8; ++file) {
        for (int rank = 0; rank < 8; ++rank) {
            if (Holds(board, file, rank, king) &&
                IsSquareAttacked(board, file, rank, Opponent(side))) {
                return true;
            }
        }
    }
    return false;
}

bool LeavesOwnKingAttacked(const CChessboardState& board, const CMove& move) {
    const CDestination to = move.Destination();
    CChessboardState after = board;
    CField& source = after.GetField(move.sourceFile, move.sourceRank);
    const CPiece mover = source.Piece();
    source.TakePiece();
    CField& dest = after.GetField(to.file, to.rank);
    if (!dest.IsEmpty()) {
        dest.TakePiece();
    } else if (mover.type == Pawn && to.file != move.sourceFile &&
               Holds(after, to.file, move.sourceRank, {Opponent(mover.color), Pawn})) {
        after.GetField(to.file, move.sourceRank).TakePiece();
    }
    dest.PutPiece(mover);
    return IsKingAttacked(after, mover.color);
}

bool HasLegalMove(const CChessboardState& board, EPieceColor side, int enPassantFile) {
    for (int file = 0; file < 8; ++file) {
        for (int rank = 0; rank < 8; ++rank) {
            const CField& field = FieldAt(board, file, rank);
            if (field.IsEmpty() || field.Piece().color != side) {
                continue;
            }
            const EPieceType type = field.Piece().type;
            if (type == Pawn) {
                if (PawnHasLegalMove(board, file, rank, side, enPassantFile)) {
                    return true;
                }
                continue;
            }
            const bool found = ForEachSquareReached(board, file, rank, type, [&](int f, int r) {
                const CField& target = FieldAt(board, f, r);
                return (target.IsEmpty() || target.Piece().color != side) &&
                       !LeavesOwnKingAttacked(board, {file, rank, f, r});
            });
            if (found) {
                return true;
            }
        }
    }
    return false;
}
