#pragma once

#include "chess/ChessSet.h"

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace testutil {

// "e2e4" -> (4, 1, 4, 3); "e7e8=Q" -> (4, 6, 4, 11); "b2b1=N" -> (1, 1, 1, -1).
inline CMove M(std::string_view text) {
    CMove move{text[0] - 'a', text[1] - '1', text[2] - 'a', text[3] - '1'};
    if (text.size() == 6 && text[4] == '=') {
        const int type = std::string_view("PNBRQK").find(text[5]);
        move.destRank = move.destRank == 7 ? 7 + type : -type;
    }
    return move;
}

// Executes the moves in turn; the hand-over flag is cleared after each, as the scene does.
inline void Play(CChessSet& set, std::initializer_list<std::string_view> moves) {
    for (std::string_view move : moves) {
        set.Move(M(move));
        set.ClearMoveReady();
    }
}

// The board as eight ranks from 8 down to 1, separated by '/', one character a square:
// PNBRQK for White, pnbrqk for Black, '.' for an empty square.
inline std::string Diagram(const CChessboardState& board) {
    std::string out;
    for (int rank = 7; rank >= 0; --rank) {
        for (int file = 0; file < 8; ++file) {
            const CField field = board.GetField(file, rank);
            if (field.IsEmpty()) {
                out += '.';
            } else {
                const CPiece piece = field.Piece();
                const char letter = "PNBRQK"[piece.type];
                out += piece.color == White ? letter : static_cast<char>(letter + ('a' - 'A'));
            }
        }
        if (rank > 0) {
            out += '/';
        }
    }
    return out;
}

struct CPlaced {
    CPiece piece;
    int file;
    int rank;
};

// "Ke1 qd8": letter (upper case White, lower case Black) and square, separated by spaces.
inline std::vector<CPlaced> ParsePieces(std::string_view list) {
    std::vector<CPlaced> out;
    for (std::size_t i = 0; i + 2 < list.size(); i += 4) {
        const char letter = list[i];
        const bool white = letter < 'a';
        const auto type = static_cast<EPieceType>(
            std::string_view("PNBRQK").find(white ? letter : static_cast<char>(letter - 32)));
        out.push_back({{white ? White : Black, type}, list[i + 1] - 'a', list[i + 2] - '1'});
    }
    return out;
}

// The listed pieces on an otherwise empty board.
inline CChessboardState Board(std::string_view list) {
    CChessboardState board;
    for (const CPlaced& p : ParsePieces(list)) {
        board.GetField(p.file, p.rank).PutPiece(p.piece);
    }
    return board;
}

inline constexpr std::string_view kInitialDiagram =
    "rnbqkbnr/pppppppp/......../......../......../......../PPPPPPPP/RNBQKBNR";

} // namespace testutil
