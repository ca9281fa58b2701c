#include "chess/LegalMoves.h"

#include "chess/KingSafety.h"
#include "chess/PieceReach.h"

#include <algorithm>

namespace {

void AddPawnMoves(const CPosition& position, int file, int rank, std::vector<CMove>& out) {
    const CChessboardState& board = position.board;
    const EPieceColor side = position.sideToMove;
    const int forward = side == White ? 1 : -1;
    const int next = rank + forward;
    const int last = side == White ? 7 : 0;
    auto add = [&](int toFile) {
        const CMove plain{file, rank, toFile, next};
        if (LeavesOwnKingAttacked(board, plain)) {
            return;
        }
        if (next != last) {
            out.push_back(plain);
            return;
        }
        for (const EPieceType type : {Queen, Rook, Bishop, Knight}) {
            out.push_back({file, rank, toFile, side == White ? 7 + type : -type});
        }
    };
    if (FieldAt(board, file, next).IsEmpty()) {
        add(file);
        const int start = side == White ? 1 : 6;
        if (rank == start && FieldAt(board, file, next + forward).IsEmpty() &&
            !LeavesOwnKingAttacked(board, {file, rank, file, next + forward})) {
            out.push_back({file, rank, file, next + forward});
        }
    }
    const int passedRank = side == White ? 4 : 3;
    for (const int toFile : {file - 1, file + 1}) {
        if (toFile < 0 || toFile > 7) {
            continue;
        }
        const CField& target = FieldAt(board, toFile, next);
        const bool capture = target.IsEmpty()
                                 ? toFile == position.enPassantFile && rank == passedRank
                                 : target.Piece().color != side;
        if (capture) {
            add(toFile);
        }
    }
}

void AddCastling(const CPosition& position, std::vector<CMove>& out) {
    const EPieceColor side = position.sideToMove;
    const int rank = side == White ? 0 : 7;
    const std::uint8_t kingside = side == White ? WhiteKingside : BlackKingside;
    const std::uint8_t queenside = side == White ? WhiteQueenside : BlackQueenside;
    if (!(position.castling & (kingside | queenside)) ||
        !FieldAt(position.board, 4, rank).Holds({side, King}) ||
        IsSquareAttacked(position.board, 4, rank, Opponent(side))) {
        return;
    }
    // Between king and rook all empty; the squares the king crosses and lands on not attacked.
    auto possible = [&](std::uint8_t right, int rookFile, int from, int to, int kingTo) {
        if (!(position.castling & right) ||
            !FieldAt(position.board, rookFile, rank).Holds({side, Rook})) {
            return false;
        }
        for (int f = from; f <= to; ++f) {
            if (!FieldAt(position.board, f, rank).IsEmpty()) {
                return false;
            }
        }
        const int step = kingTo > 4 ? 1 : -1;
        for (int f = 4 + step; f != kingTo + step; f += step) {
            if (IsSquareAttacked(position.board, f, rank, Opponent(side))) {
                return false;
            }
        }
        return true;
    };
    if (possible(kingside, 7, 5, 6, 6)) {
        out.push_back({4, rank, 7, rank});
    }
    if (possible(queenside, 0, 1, 3, 2)) {
        out.push_back({4, rank, 0, rank});
    }
}

} // namespace

std::vector<CMove> LegalMoves(const CPosition& position) {
    std::vector<CMove> out;
    out.reserve(48);
    const CChessboardState& board = position.board;
    const EPieceColor side = position.sideToMove;
    for (int file = 0; file < 8; ++file) {
        for (int rank = 0; rank < 8; ++rank) {
            const CField& field = FieldAt(board, file, rank);
            if (field.IsEmpty() || field.Piece().color != side) {
                continue;
            }
            const EPieceType type = field.Piece().type;
            if (type == Pawn) {
                AddPawnMoves(position, file, rank, out);
                continue;
            }
            ForEachSquareReached(board, file, rank, type, [&](int f, int r) {
                const CField& target = FieldAt(board, f, r);
                const CMove move{file, rank, f, r};
                if ((target.IsEmpty() || target.Piece().color != side) &&
                    !LeavesOwnKingAttacked(board, move)) {
                    out.push_back(move);
                }
                return false;
            });
        }
    }
    AddCastling(position, out);
    return out;
}

bool IsLegalMove(const CPosition& position, const CMove& move) {
    const std::vector<CMove> moves = LegalMoves(position);
    return std::find(moves.begin(), moves.end(), move) != moves.end();
}
