#pragma once

#include "chess/Move.h"
#include "chess/Position.h"
#include "engine/EngineScore.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

// What the engine found for one position of a game at a fixed budget.
struct CPositionAnalysis {
    CEngineScore score;          // the last score reported before bestmove, White's side
    std::vector<CMove> bestLine; // line 1's moves
    int depth = 0;
    std::int64_t nodes = 0;
    std::int64_t engineTimeMs = 0; // the search time the engine reported last
};

enum class EMoveMark : std::uint8_t { None, Inaccuracy, Mistake, Blunder };

// A move judged by the winning chance (WinChance) it costs the side that made it.
struct CMoveJudgement {
    EPieceColor mover = White;
    double loss = 0.0; // the drop of the mover's winning chance, 0 when it rose
    EMoveMark mark = EMoveMark::None;
};

struct CSideSummary {
    int moves = 0;
    int inaccuracies = 0;
    int mistakes = 0;
    int blunders = 0;
    double averageLoss = 0.0;
};

// Judges move k by positions[k] (before it) and positions[k + 1] (after it): a loss of at
// least 0.1 is an inaccuracy, 0.2 a mistake, 0.3 a blunder. The engine's own best move costs
// nothing (a deeper look after it is not the mover's fault). Moves without both positions
// analysed are left out: the result has positions.size() - 1 entries at most.
std::vector<CMoveJudgement> JudgeMoves(const CPosition& start, const std::vector<CMove>& moves,
                                       const std::vector<CPositionAnalysis>& positions);

// Counts per side (indexed by EPieceColor) and the average loss of its judged moves.
std::array<CSideSummary, 2> Summarise(const std::vector<CMoveJudgement>& judgements);

// "White: 1 inaccuracy, 2 mistakes, 0 blunders, average loss 0.045".
std::string SummaryText(EPieceColor side, const CSideSummary& summary);

// The glyph of a mark ($6, $2, $4) and its sign ("?!", "?", "??"); 0 and "" for none.
std::uint8_t MarkGlyph(EMoveMark mark);
const char* MarkText(EMoveMark mark);
