#include "pgn/KingSafety.h"

#include "pgn/BoardSteps.h"

#include <array>

namespace {

constexpr std::array<CStep, 4> kStraightSteps = {{{1, 0}, {0, -1}, {-1, 0}, {0, 1}}};
constexpr std::array<CStep, 4> kDiagonalSteps = {{{1, 1}, {1, -1}, {-1, -1}, {-1, 1}}};

bool Holds(const CChessboardState& board, int file, int rank, const CPiece& piece) {
    return Inside(file, rank) && board.GetField(file, rank).Holds(piece);
}

// The first piece met from (file, rank) along each step is one of the two given kinds of
// `attacker`.
template <std::size_t N>
bool SlidingAttack(const CChessboardState& board, int file, int rank,
                   const std::array<CStep, N>& steps, EPieceColor attacker, EPieceType a,
                   EPieceType b) {
    for (const CStep& step : steps) {
        int f = file + step.file;
        int r = rank + step.rank;
        while (Inside(f, r)) {
            const CField field = board.GetField(f, r);
            if (!field.IsEmpty()) {
                const CPiece piece = field.Piece();
                if (piece.color == attacker && (piece.type == a || piece.type == b)) {
                    return true;
                }
                break;
            }
            f += step.file;
            r += step.rank;
        }
    }
    return false;
}

template <std::size_t N>
bool PatternAttack(const CChessboardState& board, int file, int rank,
                   const std::array<CStep, N>& steps, const CPiece& attacker) {
    for (const CStep& step : steps) {
        if (Holds(board, file + step.file, rank + step.rank, attacker)) {
            return true;
        }
    }
    return false;
}

bool IsAttacked(const CChessboardState& board, int file, int rank, EPieceColor attacker) {
    // A pawn attacks towards the side it moves to, so it stands one rank behind the target
    // as seen from its own side.
    const int pawnRank = attacker == White ? rank - 1 : rank + 1;
    return Holds(board, file - 1, pawnRank, {attacker, Pawn}) ||
           Holds(board, file + 1, pawnRank, {attacker, Pawn}) ||
           PatternAttack(board, file, rank, kKnightSteps, {attacker, Knight}) ||
           PatternAttack(board, file, rank, kKingSteps, {attacker, King}) ||
           SlidingAttack(board, file, rank, kStraightSteps, attacker, Rook, Queen) ||
           SlidingAttack(board, file, rank, kDiagonalSteps, attacker, Bishop, Queen);
}

} // namespace

bool IsKingAttacked(const CChessboardState& board, EPieceColor side) {
    const CPiece king{side, King};
    for (int file = 0; file < 8; ++file) {
        for (int rank = 0; rank < 8; ++rank) {
            if (Holds(board, file, rank, king) && IsAttacked(board, file, rank, Opponent(side))) {
                return true;
            }
        }
    }
    return false;
}

bool LeavesOwnKingAttacked(const CChessboardState& board, const CMove& move) {
    CChessboardState after = board;
    CField& source = after.GetField(move.sourceFile, move.sourceRank);
    const CPiece mover = source.Piece();
    source.TakePiece();
    CField& dest = after.GetField(move.destFile, move.destRank);
    if (!dest.IsEmpty()) {
        dest.TakePiece();
    }
    dest.PutPiece(mover);
    return IsKingAttacked(after, mover.color);
}
