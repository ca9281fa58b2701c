#include "chess/SanWriter.h"

#include "chess/ChessSet.h"
#include "chess/KingSafety.h"
#include "chess/PieceReach.h"
#include "common/GeneralException.h"

#include <cstdlib>

namespace {

constexpr char kLetters[] = "PNBRQK";

void AppendSquare(std::string& out, int file, int rank) {
    out += static_cast<char>('a' + file);
    out += static_cast<char>('1' + rank);
}

// The other pieces of the mover's kind that reach the destination. When the move itself
// keeps the king safe, only those that may legally make it count; the PGN reader sets the
// others aside the same way when the written hint leaves several.
void AppendDisambiguation(std::string& out, const CChessboardState& board, const CMove& move,
                          const CPiece& mover, const CDestination& to) {
    bool others = false;
    bool sameFile = false;
    bool sameRank = false;
    int moverLegal = -1; // worked out once another piece is found
    ForEachPieceReaching(board, to.file, to.rank, mover, [&](int file, int rank) {
        if (file == move.sourceFile && rank == move.sourceRank) {
            return false;
        }
        if (moverLegal < 0) {
            moverLegal =
                LeavesOwnKingAttacked(board, {move.sourceFile, move.sourceRank, to.file, to.rank})
                    ? 0
                    : 1;
        }
        if (moverLegal == 1 && LeavesOwnKingAttacked(board, {file, rank, to.file, to.rank})) {
            return false;
        }
        others = true;
        sameFile = sameFile || file == move.sourceFile;
        sameRank = sameRank || rank == move.sourceRank;
        return false;
    });
    if (others && (!sameFile || sameRank)) {
        out += static_cast<char>('a' + move.sourceFile);
    }
    if (others && sameFile) {
        out += static_cast<char>('1' + move.sourceRank);
    }
}

// Writes everything but the check sign from the position before the move. Returns false when
// the move cannot be read on that position.
bool AppendMove(std::string& out, const CChessboardState& board, const CMove& move) {
    const CDestination to = move.Destination();
    if (!Inside(move.sourceFile, move.sourceRank) || !Inside(to.file, to.rank)) {
        return false;
    }
    const CField& source = FieldAt(board, move.sourceFile, move.sourceRank);
    if (source.IsEmpty()) {
        return false;
    }
    const CPiece mover = source.Piece();
    const CField& target = FieldAt(board, to.file, to.rank);
    if (mover.type == King && !target.IsEmpty() && target.Piece() == CPiece{mover.color, Rook}) {
        out += to.file < move.sourceFile ? "O-O-O" : "O-O";
        return true;
    }
    const bool capture = !target.IsEmpty() || (mover.type == Pawn && to.file != move.sourceFile);
    if (mover.type == Pawn) {
        if (capture) {
            out += static_cast<char>('a' + move.sourceFile);
        }
    } else {
        out += kLetters[mover.type];
        AppendDisambiguation(out, board, move, mover, to);
    }
    if (capture) {
        out += 'x';
    }
    AppendSquare(out, to.file, to.rank);
    if (mover.type == Pawn && to.promotion != Pawn) {
        out += '=';
        out += kLetters[to.promotion];
    }
    return true;
}

// Writes `move` into `out` and plays it on `set`. Returns false, with `out` empty and the set
// as it was, when the move cannot be played.
bool WriteAndPlay(CChessSet& set, const CMove& move, std::string& out) {
    out.clear();
    if (!AppendMove(out, set.Board(), move)) {
        return false;
    }
    const CPiece mover = set.Board().GetField(move.sourceFile, move.sourceRank).Piece();
    try {
        set.Move(move);
    } catch (const CGeneralException&) {
        out.clear();
        return false;
    }
    set.ClearMoveReady();
    const EPieceColor opponent = Opponent(mover.color);
    if (IsKingAttacked(set.Board(), opponent)) {
        const CDestination to = move.Destination();
        const bool doubleStep = mover.type == Pawn && std::abs(to.rank - move.sourceRank) == 2;
        out += HasLegalMove(set.Board(), opponent, doubleStep ? to.file : -1) ? '+' : '#';
    }
    return true;
}

} // namespace

std::string WriteSan(const CChessboardState& board, const CMove& move) {
    CChessSet set;
    set.SetUp(board);
    std::string out;
    WriteAndPlay(set, move, out);
    return out;
}

std::string PlaySan(CChessSet& set, const CMove& move) {
    std::string out;
    WriteAndPlay(set, move, out);
    return out;
}

std::vector<std::string> WriteGameSan(const CChessboardState& start, const CChessGameData& game) {
    std::vector<std::string> texts(static_cast<std::size_t>(game.MovesCount()));
    CChessSet set;
    set.SetUp(start);
    for (std::size_t i = 0; i < texts.size(); ++i) {
        if (!WriteAndPlay(set, game.GetMove(static_cast<int>(i)), texts[i])) {
            break;
        }
    }
    return texts;
}
