#pragma once

#include "chess/ChessboardState.h"
#include "support/ChessTestUtil.h"

#include <string>
#include <string_view>

namespace testutil {

// A diagram of Diagram's form with its runs of empty squares written as digits, as FEN writes
// the piece placement.
inline std::string Placement(std::string_view diagram) {
    std::string out;
    int empty = 0;
    for (const char c : diagram) {
        if (c == '.') {
            ++empty;
            continue;
        }
        if (empty > 0) {
            out += static_cast<char>('0' + empty);
            empty = 0;
        }
        out += c;
    }
    if (empty > 0) {
        out += static_cast<char>('0' + empty);
    }
    return out;
}

inline std::string Placement(const CChessboardState& board) {
    return Placement(Diagram(board));
}

} // namespace testutil
