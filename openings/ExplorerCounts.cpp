#include "openings/ExplorerCounts.h"

#include "chess/ChessGameData.h"
#include "chess/SanWriter.h"

#include <algorithm>

CGameFacts CGameFacts::Of(const CStoredGame& game) noexcept {
    CGameFacts facts;
    // "1985.04.12", "1985.??.??", "1985": four digits, alone or before a period.
    const std::string_view date = game.Tag(kDate);
    if (date.size() >= 4 && (date.size() == 4 || date[4] == '.') &&
        std::all_of(date.begin(), date.begin() + 4, [](char c) { return c >= '0' && c <= '9'; })) {
        facts.year = static_cast<std::int16_t>((date[0] - '0') * 1000 + (date[1] - '0') * 100 +
                                               (date[2] - '0') * 10 + (date[3] - '0'));
    }
    facts.whiteElo = game.WhiteElo();
    facts.blackElo = game.BlackElo();
    facts.result = game.result;
    return facts;
}

CExplorerTally::CExplorerTally() : slotOf(std::size_t{1} << 16, 0) {
}

CExplorerTally::CMoveSums& CExplorerTally::SumsOf(CPackedMove move) {
    std::uint16_t& slot = slotOf[move];
    if (slot == 0) {
        sums.push_back({});
        sums.back().move = move;
        slot = static_cast<std::uint16_t>(sums.size());
    }
    return sums[slot - 1u];
}

void CExplorerTally::Add(CPackedMove next, const CGameFacts& facts) {
    const auto result = static_cast<std::size_t>(facts.result & 3);
    ++results[result];
    CMoveSums& move = SumsOf(next);
    ++move.results[result];
    for (const std::uint16_t elo : {facts.whiteElo, facts.blackElo}) {
        if (elo != 0) {
            move.eloSum += elo;
            ++move.eloCount;
        }
    }
    move.lastYear = std::max(move.lastYear, facts.year);
}

void CExplorerTally::Merge(const CExplorerTally& other) {
    for (std::size_t i = 0; i < results.size(); ++i) {
        results[i] += other.results[i];
    }
    for (const CMoveSums& theirs : other.sums) {
        CMoveSums& mine = SumsOf(theirs.move);
        for (std::size_t i = 0; i < mine.results.size(); ++i) {
            mine.results[i] += theirs.results[i];
        }
        mine.eloSum += theirs.eloSum;
        mine.eloCount += theirs.eloCount;
        mine.lastYear = std::max(mine.lastYear, theirs.lastYear);
    }
}

CExplorerCounts CExplorerTally::Finish(const CChessboardState& board) const {
    CExplorerCounts counts;
    counts.white = results[ResultWhiteWon];
    counts.draw = results[ResultDraw];
    counts.black = results[ResultBlackWon];
    counts.games = counts.white + counts.draw + counts.black + results[ResultNone];
    for (const CMoveSums& sum : sums) {
        if (sum.move == kNoMove) {
            continue;
        }
        CExplorerMove row;
        row.move = UnpackMove(sum.move);
        row.san = WriteSan(board, row.move);
        row.white = sum.results[ResultWhiteWon];
        row.draw = sum.results[ResultDraw];
        row.black = sum.results[ResultBlackWon];
        row.games = row.white + row.draw + row.black + sum.results[ResultNone];
        row.averageElo =
            sum.eloCount == 0
                ? std::uint16_t{0}
                : static_cast<std::uint16_t>((sum.eloSum + sum.eloCount / 2) / sum.eloCount);
        row.lastYear = sum.lastYear;
        counts.moves.push_back(std::move(row));
    }
    std::sort(counts.moves.begin(), counts.moves.end(),
              [](const CExplorerMove& a, const CExplorerMove& b) {
                  if (a.games != b.games) {
                      return a.games > b.games;
                  }
                  return a.san != b.san ? a.san < b.san : PackMove(a.move) < PackMove(b.move);
              });
    return counts;
}
