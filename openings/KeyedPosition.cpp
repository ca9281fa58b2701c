#include "openings/KeyedPosition.h"

#include "chess/KingSafety.h"
#include "chess/PieceReach.h"
#include "openings/OpeningsExceptions.h"
#include "pgn/FenParser.h"

#include <array>
#include <cstdlib>

namespace {

// The castling rights a move loses by leaving or landing on each square (index as
// CChessboardState::Index): the kings' and the rooks' starting squares.
constexpr std::array<std::uint8_t, 64> MakeRightsLost() {
    std::array<std::uint8_t, 64> lost{};
    lost[CChessboardState::Index(4, 0)] = WhiteKingside | WhiteQueenside;
    lost[CChessboardState::Index(0, 0)] = WhiteQueenside;
    lost[CChessboardState::Index(7, 0)] = WhiteKingside;
    lost[CChessboardState::Index(4, 7)] = BlackKingside | BlackQueenside;
    lost[CChessboardState::Index(0, 7)] = BlackQueenside;
    lost[CChessboardState::Index(7, 7)] = BlackKingside;
    return lost;
}
constexpr std::array<std::uint8_t, 64> kRightsLost = MakeRightsLost();

// The rank a pawn of `colour` starts on.
constexpr int HomeRank(EPieceColor colour) {
    return colour == White ? 1 : 6;
}

// The bit of a pawn on its starting square in the signature's home masks, or nothing.
std::uint8_t* HomeBit(CReachSignature& signature, const CPiece& piece, int rank) {
    if (piece.type != Pawn || rank != HomeRank(piece.color)) {
        return nullptr;
    }
    return piece.color == White ? &signature.whiteHome : &signature.blackHome;
}

[[noreturn]] void Refuse() {
    throw COpeningsException("CKeyedPosition::Play(): Move not playable!");
}

bool Holds(const CChessboardState& board, int file, int rank, const CPiece& piece) {
    return Inside(file, rank) && FieldAt(board, file, rank).Holds(piece);
}

} // namespace

CKeyedPosition::CKeyedPosition() {
    // Made once: every game of a list starts here.
    static const CKeyedPosition initial = [] {
        CKeyedPosition position(0);
        position.board.SetInitialPosition();
        position.key = KeyOf(position.board, position.side, position.castling, -1);
        position.signature = Survey(position.board);
        return position;
    }();
    *this = initial;
}

CKeyedPosition CKeyedPosition::FromFen(std::string_view fen) {
    // ParseFen keeps the rights whose king and rook stand ready and a double step the board
    // bears out; the step counts here only when a pawn may legally take it.
    const CFenPosition parsed = ParseFen(fen);
    CKeyedPosition position(0);
    position.board = parsed.board;
    position.side = parsed.sideToMove;
    position.castling = parsed.castling;
    position.signature = Survey(position.board);
    if (parsed.enPassantFile >= 0) {
        const int toRank = position.side == White ? 4 : 3;
        position.NoteDoubleStep(parsed.enPassantFile, position.side == White ? 6 : 1, toRank);
    }
    position.key = KeyOf(position.board, position.side, position.castling, position.enPassantFile);
    return position;
}

CPositionKey CKeyedPosition::KeyOf(const CChessboardState& board, EPieceColor side,
                                   std::uint8_t castling, int enPassantFile) noexcept {
    const CKeyNumbers& numbers = KeyNumbers();
    CPositionKey key = side == Black ? numbers.blackToMove : 0;
    for (int i = 0; i < 64; ++i) {
        const CField& field = board.Element(i);
        if (!field.IsEmpty()) {
            const CPiece piece = field.Piece();
            key ^= numbers.piece[piece.color][piece.type][static_cast<std::size_t>(i)];
        }
    }
    key ^= CastlingKey(numbers, castling);
    if (enPassantFile >= 0) {
        key ^= numbers.enPassant[static_cast<std::size_t>(enPassantFile)];
    }
    return key;
}

CReachSignature CKeyedPosition::Survey(const CChessboardState& board) noexcept {
    CReachSignature signature;
    for (int i = 0; i < 64; ++i) {
        const CField& field = board.Element(i);
        if (field.IsEmpty()) {
            continue;
        }
        ++signature.pieces;
        const CPiece piece = field.Piece();
        const int file = i / 8;
        const int rank = i % 8;
        if (piece.type == Pawn) {
            signature.irregular = signature.irregular || rank == 0 || rank == 7;
            if (rank == HomeRank(piece.color)) {
                (piece.color == White ? signature.whiteHome : signature.blackHome) |=
                    static_cast<std::uint8_t>(1 << file);
            }
        }
    }
    return signature;
}

void CKeyedPosition::NoteDoubleStep(int file, int fromRank, int toRank) {
    const int passedRank = (fromRank + toRank) / 2;
    const CPiece taker{Opponent(FieldAt(board, file, toRank).Piece().color), Pawn};
    for (const int from : {file - 1, file + 1}) {
        if (Holds(board, from, toRank, taker) &&
            !LeavesOwnKingAttacked(board, {from, toRank, file, passedRank})) {
            enPassantFile = static_cast<std::int8_t>(file);
            return;
        }
    }
}

void CKeyedPosition::Play(const CMove& move) {
    if (!Inside(move.sourceFile, move.sourceRank)) {
        Refuse();
    }
    const CField& source = FieldAt(board, move.sourceFile, move.sourceRank);
    if (source.IsEmpty() || source.Piece().color != side) {
        Refuse();
    }
    const CPiece mover = source.Piece();
    const CDestination to = move.Destination();
    const bool promotion = mover.type == Pawn && to.promotion != Pawn;
    // Every other move lands on its destination as written.
    if (!Inside(to.file, to.rank) || (!promotion && !Inside(move.destFile, move.destRank))) {
        Refuse();
    }
    const CField& target = FieldAt(board, to.file, to.rank);
    const bool capture = !target.IsEmpty();
    const bool castlingMove = mover.type == King && move.sourceFile == 4 && capture &&
                              target.Holds({mover.color, Rook}) &&
                              move.sourceRank == (mover.color == White ? 0 : 7) &&
                              move.destRank == move.sourceRank;
    if (capture && !castlingMove &&
        (target.Piece().color == mover.color ||
         (promotion && std::abs(move.destFile - move.sourceFile) != 1))) {
        Refuse();
    }

    const CKeyNumbers& numbers = KeyNumbers();
    const auto take = [&](int file, int rank) {
        CField& field = board.GetField(file, rank);
        const CPiece piece = field.Piece();
        key ^= numbers.piece[piece.color][piece.type]
                            [static_cast<std::size_t>(CChessboardState::Index(file, rank))];
        field.TakePiece();
        if (std::uint8_t* home = HomeBit(signature, piece, rank)) {
            *home = static_cast<std::uint8_t>(*home & ~(1 << file));
        }
    };
    const auto put = [&](int file, int rank, const CPiece& piece) {
        board.GetField(file, rank).PutPiece(piece);
        key ^= numbers.piece[piece.color][piece.type]
                            [static_cast<std::size_t>(CChessboardState::Index(file, rank))];
        // Only a pawn set up on its first rank can step onto its starting square.
        if (std::uint8_t* home = HomeBit(signature, piece, rank)) {
            *home = static_cast<std::uint8_t>(*home | 1 << file);
        }
    };

    if (enPassantFile >= 0) {
        key ^= numbers.enPassant[static_cast<std::size_t>(enPassantFile)];
        enPassantFile = -1;
    }
    const int forward = mover.color == White ? 1 : -1;
    if (castlingMove) {
        const int rank = move.sourceRank;
        const auto empty = [&](int file) { return FieldAt(board, file, rank).IsEmpty(); };
        const int kingFile = move.destFile == 0 && empty(3) && empty(2) && empty(1) ? 2
                             : move.destFile == 7 && empty(5) && empty(6)           ? 6
                                                                                    : -1;
        // Any other king move onto its own rook leaves the board as it is.
        if (kingFile >= 0) {
            take(4, rank);
            take(move.destFile, rank);
            put(kingFile, rank, mover);
            put(kingFile == 2 ? 3 : 5, rank, {mover.color, Rook});
        }
    } else {
        if (capture) {
            take(to.file, to.rank);
            --signature.pieces;
        } else if (mover.type == Pawn && std::abs(move.destFile - move.sourceFile) == 1 &&
                   move.destRank - move.sourceRank == forward &&
                   move.destRank == (mover.color == White ? 5 : 2) &&
                   Holds(board, move.destFile, move.sourceRank, {Opponent(mover.color), Pawn})) {
            take(move.destFile, move.sourceRank);
            --signature.pieces;
        }
        take(move.sourceFile, move.sourceRank);
        put(to.file, to.rank,
            promotion ? CPiece{to.rank == 7 ? White : Black, to.promotion} : mover);
    }

    const std::uint8_t lost =
        kRightsLost[static_cast<std::size_t>(
            CChessboardState::Index(move.sourceFile, move.sourceRank))] |
        kRightsLost[static_cast<std::size_t>(CChessboardState::Index(to.file, to.rank))];
    if (castling & lost) {
        key ^= CastlingKey(numbers, castling) ^ CastlingKey(numbers, castling & ~lost);
        castling = static_cast<std::uint8_t>(castling & ~lost);
    }
    side = Opponent(side);
    key ^= numbers.blackToMove;
    if (mover.type == Pawn && !promotion && move.destFile == move.sourceFile &&
        move.destRank - move.sourceRank == 2 * forward) {
        NoteDoubleStep(move.destFile, move.sourceRank, move.destRank);
        if (enPassantFile >= 0) {
            key ^= numbers.enPassant[static_cast<std::size_t>(enPassantFile)];
        }
    }
}
