#pragma once

#include "chess/ChessboardState.h"

#include <array>

// How pieces reach squares: the one statement of the movement patterns, shared by the PGN
// reader's source searches, the attack test, the legal-move test and the SAN writer. Reaching a
// square is geometry only: whether the move is legal is a question for KingSafety.h.

// A step between squares, as (file step, rank step).
struct CStep {
    int file;
    int rank;
};

inline constexpr std::array<CStep, 8> kKnightSteps = {
    {{1, 2}, {2, 1}, {2, -1}, {1, -2}, {-1, -2}, {-2, -1}, {-2, 1}, {-1, 2}}};
inline constexpr std::array<CStep, 8> kKingSteps = {
    {{0, 1}, {1, 1}, {1, 0}, {1, -1}, {0, -1}, {-1, -1}, {-1, 0}, {-1, 1}}};
inline constexpr std::array<CStep, 4> kStraightSteps = {{{1, 0}, {0, -1}, {-1, 0}, {0, 1}}};
inline constexpr std::array<CStep, 4> kDiagonalSteps = {{{1, 1}, {1, -1}, {-1, -1}, {-1, 1}}};

constexpr bool Inside(int file, int rank) {
    return file >= 0 && file < 8 && rank >= 0 && rank < 8;
}

// A square known to be on the board, read without the range check and copy of GetField: the
// searches read many of them.
inline const CField& FieldAt(const CChessboardState& board, int file, int rank) {
    return board.Element(CChessboardState::Index(file, rank));
}

// Calls visit(file, rank) for each square that a piece of `type` standing on (file, rank)
// reaches, whatever stands on its own square: the knight's and the king's step squares, and
// along a bishop's, rook's or queen's lines every square up to and including the first
// occupied one. A pawn reaches nothing here (its moves depend on its colour and on captures).
// Stops as soon as visit returns true and then returns true.
//
// Reaching is symmetric: a piece on A reaches B exactly when one of its kind on B reaches A,
// so the same walk from a destination finds the pieces that reach it.
template <class Visit>
bool ForEachSquareReached(const CChessboardState& board, int file, int rank, EPieceType type,
                          Visit&& visit) {
    auto steps = [&](const std::array<CStep, 8>& table) {
        for (const CStep& step : table) {
            const int f = file + step.file;
            const int r = rank + step.rank;
            if (Inside(f, r) && visit(f, r)) {
                return true;
            }
        }
        return false;
    };
    auto lines = [&](const std::array<CStep, 4>& table) {
        for (const CStep& step : table) {
            for (int f = file + step.file, r = rank + step.rank; Inside(f, r);
                 f += step.file, r += step.rank) {
                if (visit(f, r)) {
                    return true;
                }
                if (!FieldAt(board, f, r).IsEmpty()) {
                    break;
                }
            }
        }
        return false;
    };
    switch (type) {
    case Knight:
        return steps(kKnightSteps);
    case King:
        return steps(kKingSteps);
    case Bishop:
        return lines(kDiagonalSteps);
    case Rook:
        return lines(kStraightSteps);
    case Queen:
        return lines(kStraightSteps) || lines(kDiagonalSteps);
    default:
        return false;
    }
}

// Calls visit(file, rank) for each square holding `piece` from which it reaches (file, rank);
// stops and returns true as ForEachSquareReached does.
template <class Visit>
bool ForEachPieceReaching(const CChessboardState& board, int file, int rank, const CPiece& piece,
                          Visit&& visit) {
    return ForEachSquareReached(board, file, rank, piece.type, [&](int f, int r) {
        const CField& field = FieldAt(board, f, r);
        return field.Holds(piece) && visit(f, r);
    });
}
