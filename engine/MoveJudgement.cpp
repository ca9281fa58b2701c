#include "engine/MoveJudgement.h"

#include <algorithm>
#include <cstdio>

std::vector<CMoveJudgement> JudgeMoves(const CPosition& start, const std::vector<CMove>& moves,
                                       const std::vector<CPositionAnalysis>& positions) {
    std::vector<CMoveJudgement> judged;
    const std::size_t count = std::min(moves.size(), positions.empty() ? 0 : positions.size() - 1);
    judged.reserve(count);
    EPieceColor mover = start.sideToMove;
    for (std::size_t k = 0; k < count; ++k) {
        CMoveJudgement judgement;
        judgement.mover = mover;
        const double sign = mover == White ? 1.0 : -1.0;
        const double drop =
            sign * (WinChance(positions[k].score) - WinChance(positions[k + 1].score));
        const std::vector<CMove>& best = positions[k].bestLine;
        const bool engineChoice = !best.empty() && best.front() == moves[k];
        judgement.loss = engineChoice ? 0.0 : std::max(0.0, drop);
        judgement.mark = judgement.loss >= 0.3   ? EMoveMark::Blunder
                         : judgement.loss >= 0.2 ? EMoveMark::Mistake
                         : judgement.loss >= 0.1 ? EMoveMark::Inaccuracy
                                                 : EMoveMark::None;
        judged.push_back(judgement);
        mover = Opponent(mover);
    }
    return judged;
}

std::array<CSideSummary, 2> Summarise(const std::vector<CMoveJudgement>& judgements) {
    std::array<CSideSummary, 2> sides{};
    std::array<double, 2> total{};
    for (const CMoveJudgement& judgement : judgements) {
        CSideSummary& side = sides[judgement.mover];
        ++side.moves;
        side.inaccuracies += judgement.mark == EMoveMark::Inaccuracy;
        side.mistakes += judgement.mark == EMoveMark::Mistake;
        side.blunders += judgement.mark == EMoveMark::Blunder;
        total[judgement.mover] += judgement.loss;
    }
    for (int side = 0; side < 2; ++side) {
        if (sides[side].moves > 0) {
            sides[side].averageLoss = total[side] / sides[side].moves;
        }
    }
    return sides;
}

std::string SummaryText(EPieceColor side, const CSideSummary& summary) {
    auto count = [](int n, const char* one, const char* many) {
        return std::to_string(n) + " " + (n == 1 ? one : many);
    };
    char loss[32];
    std::snprintf(loss, sizeof loss, "%.3f", summary.averageLoss);
    return std::string(side == White ? "White: " : "Black: ") +
           count(summary.inaccuracies, "inaccuracy", "inaccuracies") + ", " +
           count(summary.mistakes, "mistake", "mistakes") + ", " +
           count(summary.blunders, "blunder", "blunders") + ", average loss " + loss;
}

std::uint8_t MarkGlyph(EMoveMark mark) {
    static constexpr std::uint8_t kGlyphs[] = {0, 6, 2, 4};
    return kGlyphs[static_cast<int>(mark)];
}

const char* MarkText(EMoveMark mark) {
    static constexpr const char* kTexts[] = {"", "?!", "?", "??"};
    return kTexts[static_cast<int>(mark)];
}
