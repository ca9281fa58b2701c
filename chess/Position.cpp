#include "chess/Position.h"

#include "chess/ChessSet.h"
#include "chess/KingSafety.h"
#include "chess/PieceReach.h"

#include <cstdlib>
#include <limits>

namespace {

// The right that a king or rook standing on (file, rank) at the start holds; 0 elsewhere.
std::uint8_t CornerRight(int file, int rank) {
    if (rank != 0 && rank != 7) {
        return 0;
    }
    const bool white = rank == 0;
    if (file == 7) {
        return white ? WhiteKingside : BlackKingside;
    }
    if (file == 0) {
        return white ? WhiteQueenside : BlackQueenside;
    }
    if (file == 4) {
        return white ? WhiteKingside | WhiteQueenside : BlackKingside | BlackQueenside;
    }
    return 0;
}

} // namespace

CPosition CPosition::Initial() {
    CPosition position;
    position.board.SetInitialPosition();
    position.castling = WhiteKingside | WhiteQueenside | BlackKingside | BlackQueenside;
    return position;
}

void CPosition::Play(const CMove& move) {
    // The board's own rules execute the move; one set a thread, reused, keeps this free of
    // allocations and of a fresh set's start-up.
    thread_local CChessSet scratch;
    scratch.SetUp(board);
    scratch.Move(move);

    const CPiece mover = FieldAt(board, move.sourceFile, move.sourceRank).Piece();
    const CDestination to = move.Destination();
    const CField& target = FieldAt(board, to.file, to.rank);
    const bool castles =
        mover.type == King && !target.IsEmpty() && target.Piece() == CPiece{mover.color, Rook};
    const bool captures =
        (!target.IsEmpty() && !castles) || (mover.type == Pawn && to.file != move.sourceFile);

    castling &= static_cast<std::uint8_t>(~CornerRight(move.sourceFile, move.sourceRank));
    castling &= static_cast<std::uint8_t>(~CornerRight(to.file, to.rank));
    if (mover.type == King) {
        castling &= mover.color == White ? ~(WhiteKingside | WhiteQueenside)
                                         : ~(BlackKingside | BlackQueenside);
    }
    const bool doubleStep = mover.type == Pawn && std::abs(to.rank - move.sourceRank) == 2;
    enPassantFile = doubleStep ? move.sourceFile : -1;
    // A FEN may give either clock at its largest value: the clocks stop there rather than
    // overflow.
    const auto next = [](std::int32_t clock) {
        return clock < std::numeric_limits<std::int32_t>::max() ? clock + 1 : clock;
    };
    halfMoveClock = mover.type == Pawn || captures ? 0 : next(halfMoveClock);
    if (mover.color == Black) {
        fullMoveNumber = next(fullMoveNumber);
    }
    sideToMove = Opponent(mover.color);
    board = scratch.Board();
}

void CPosition::Sanitise() {
    auto holds = [&](int file, int rank, EPieceColor color, EPieceType type) {
        return FieldAt(board, file, rank).Holds({color, type});
    };
    static constexpr struct {
        ECastlingRight right;
        EPieceColor color;
        int rookFile;
    } kRights[] = {{WhiteKingside, White, 7},
                   {WhiteQueenside, White, 0},
                   {BlackKingside, Black, 7},
                   {BlackQueenside, Black, 0}};
    for (const auto& [right, color, rookFile] : kRights) {
        const int rank = color == White ? 0 : 7;
        if (!holds(4, rank, color, King) || !holds(rookFile, rank, color, Rook)) {
            castling &= static_cast<std::uint8_t>(~right);
        }
    }
    if (enPassantFile >= 0) {
        const EPieceColor moved = Opponent(sideToMove);
        const int forward = moved == White ? 1 : -1;
        const int start = moved == White ? 1 : 6;
        const bool explained = enPassantFile < 8 &&
                               holds(enPassantFile, start + 2 * forward, moved, Pawn) &&
                               FieldAt(board, enPassantFile, start + forward).IsEmpty() &&
                               FieldAt(board, enPassantFile, start).IsEmpty();
        if (!explained) {
            enPassantFile = -1;
        }
    }
}

bool IsPlayablePosition(const CPosition& position) {
    int kings[2] = {0, 0};
    for (int file = 0; file < 8; ++file) {
        for (int rank = 0; rank < 8; ++rank) {
            const CField& field = FieldAt(position.board, file, rank);
            if (field.IsEmpty()) {
                continue;
            }
            const CPiece piece = field.Piece();
            if (piece.type == King) {
                ++kings[piece.color];
            } else if (piece.type == Pawn && (rank == 0 || rank == 7)) {
                return false;
            }
        }
    }
    return kings[White] == 1 && kings[Black] == 1 &&
           !IsKingAttacked(position.board, Opponent(position.sideToMove));
}
