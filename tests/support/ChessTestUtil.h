#pragma once

#include "chess/ChessSet.h"

#include <initializer_list>
#include <string>
#include <string_view>

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

inline constexpr std::string_view kInitialDiagram =
    "rnbqkbnr/pppppppp/......../......../......../......../PPPPPPPP/RNBQKBNR";

} // namespace testutil
