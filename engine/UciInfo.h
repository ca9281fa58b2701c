#pragma once

#include "chess/Move.h"
#include "chess/Position.h"
#include "engine/EngineScore.h"

#include <cstdint>
#include <string_view>
#include <vector>

// One line of an engine's analysis: its rank among the lines, how deep and fast it searched,
// its score from White's side and its moves.
struct CEngineLine {
    int multiPv = 1;
    int depth = 0;
    int selDepth = 0;
    std::int64_t nodes = 0;
    std::int64_t nps = 0;
    std::int64_t timeMs = 0;
    CEngineScore score;
    // The search ended before the score was exact: it is at least (lower) or at most (upper)
    // this, for the side to move.
    bool lowerBound = false;
    bool upperBound = false;
    // The principal variation from the position, as far as its moves are legal.
    std::vector<CMove> pv;
};

enum class EInfoLine {
    Line,    // a scored line; `line` holds it
    Other,   // an info line without a score (current move, hash use, a string) or no info line
    Garbled, // an info line whose fields do not read, or whose first move is not legal
};

// Reads an engine's "info" line for `position` (the one searched). A pv is cut at its first
// move that is not legal; a line whose first move is not legal is garbled, as is a number that
// does not read. Unknown fields are passed over, as UCI asks.
EInfoLine ParseInfoLine(std::string_view text, const CPosition& position, CEngineLine& line);

// Reads "bestmove <move> [ponder <move>]": true for such a line, with `move` the best move when
// it is legal on `position` and `hasMove` false for "(none)" or a move that is not.
bool ParseBestMove(std::string_view text, const CPosition& position, CMove& move, bool& hasMove);
