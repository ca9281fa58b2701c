#pragma once

#include "openings/ExplorerCounts.h"
#include "openings/GameSubset.h"
#include "openings/KeyedPosition.h"
#include "pgn/GameList.h"

#include <atomic>

// The explorer's figures for one position found without an index: each game is replayed until
// it reaches the position or can no longer reach it (a pawn it needs has left its square, or a
// piece it needs is gone), at any ply. Exact where the index stops at its last ply: tens of
// milliseconds for the 145,000 games of a real database, up to half a second for a million.
class CPositionScanner {
public:
    explicit CPositionScanner(const CKeyedPosition& target);

    // Counts the games of `games` (of `subset` alone when given). With `cancel`, stops early
    // once it is set; the figures are then partial.
    void Add(const CGameListSnapshot& games, const CGameSubset* subset = nullptr,
             const std::atomic<bool>* cancel = nullptr);
    CExplorerCounts Result() const { return tally.Finish(target.Board()); }
    // The games counted, each at the ply of its first visit, in list order.
    const std::vector<CGameVisit>& Visits() const noexcept { return visits; }

private:
    CKeyedPosition target;
    CReachSignature signature;
    CExplorerTally tally;
    std::vector<CGameVisit> visits;
};
