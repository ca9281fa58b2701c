#include "engine/EnginePosition.h"

#include "chess/FenWriter.h"
#include "chess/LegalMoves.h"
#include "common/GeneralException.h"
#include "engine/EngineException.h"

#include <algorithm>

namespace {

bool IsCastling(const CPosition& position, const CMove& move) {
    const CDestination to = move.Destination();
    if (to.promotion != Pawn) {
        return false;
    }
    const CField& source = position.board.GetField(move.sourceFile, move.sourceRank);
    const CField& target = position.board.GetField(to.file, to.rank);
    return !source.IsEmpty() && source.Piece().type == King && !target.IsEmpty() &&
           target.Piece() == CPiece{source.Piece().color, Rook};
}

void AppendSquare(std::string& out, int file, int rank) {
    out += static_cast<char>('a' + file);
    out += static_cast<char>('1' + rank);
}

} // namespace

CPosition CEnginePosition::Final() const {
    CPosition position = start;
    for (const CMove& move : moves) {
        try {
            position.Play(move);
        } catch (const CGeneralException& e) {
            throw CEngineException("CEnginePosition::Final(): A move cannot be played: " +
                                   e.GetMessage());
        }
    }
    return position;
}

std::string CEnginePosition::Command() const {
    CPosition position = start;
    std::string movesText;
    bool legal = IsPlayablePosition(start);
    for (const CMove& move : moves) {
        legal = legal && IsLegalMove(position, move);
        if (legal) {
            movesText += ' ';
            movesText += UciMoveText(position, move);
        }
        try {
            position.Play(move);
        } catch (const CGeneralException& e) {
            throw CEngineException("CEnginePosition::Command(): A move cannot be played: " +
                                   e.GetMessage());
        }
    }
    if (!IsPlayablePosition(position)) {
        throw CEngineException("CEnginePosition::Command(): The position cannot be analysed: "
                               "a side has no king or more than one, a pawn stands on the first "
                               "or last rank, or the side that has moved is in check.");
    }
    if (!legal) {
        return "position fen " + WriteFen(position) + "\n";
    }
    std::string command = "position fen " + WriteFen(start);
    if (!movesText.empty()) {
        command += " moves";
        command += movesText;
    }
    command += '\n';
    return command;
}

std::string UciMoveText(const CPosition& position, const CMove& move) {
    std::string text;
    const CDestination to = move.Destination();
    AppendSquare(text, move.sourceFile, move.sourceRank);
    if (IsCastling(position, move)) {
        AppendSquare(text, to.file > move.sourceFile ? 6 : 2, to.rank);
        return text;
    }
    AppendSquare(text, to.file, to.rank);
    if (to.promotion != Pawn) {
        text += "pnbrqk"[to.promotion];
    }
    return text;
}

bool ReadUciMove(const CPosition& position, std::string_view text, CMove& move) {
    if (text.size() < 4 || text.size() > 5) {
        return false;
    }
    const auto inRange = [](char c, char low, char high) { return c >= low && c <= high; };
    if (!inRange(text[0], 'a', 'h') || !inRange(text[1], '1', '8') || !inRange(text[2], 'a', 'h') ||
        !inRange(text[3], '1', '8')) {
        return false;
    }
    CMove candidate{text[0] - 'a', text[1] - '1', text[2] - 'a', text[3] - '1'};
    if (text.size() == 5) {
        const std::size_t type = std::string_view("nbrq").find(text[4]);
        if (type == std::string_view::npos) {
            return false;
        }
        const auto piece = static_cast<int>(type) + 1;
        candidate.destRank = candidate.destRank == 7 ? 7 + piece : -piece;
    }
    const std::vector<CMove> legal = LegalMoves(position);
    for (const CMove& option : legal) {
        const bool castling = IsCastling(position, option);
        const bool sameSquares = option == candidate;
        // A castling also matches the king's two-square step.
        const bool kingStep = castling && candidate.sourceFile == option.sourceFile &&
                              candidate.sourceRank == option.sourceRank &&
                              candidate.destRank == option.destRank &&
                              candidate.destFile == (option.destFile > 4 ? 6 : 2);
        if (sameSquares || kingStep) {
            move = option;
            return true;
        }
    }
    return false;
}
