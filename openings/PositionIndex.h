#pragma once

#include "openings/ExplorerCounts.h"
#include "openings/GameSubset.h"
#include "openings/KeyedPosition.h"
#include "openings/PositionKey.h"
#include "pgn/GameList.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

struct CLoadProgress;

struct CIndexOptions {
    // Positions up to this ply (0 the start) of each game's main line are indexed; at most
    // CPositionIndex::kMaxPlyLimit.
    int maxPly = 40;
    // Threads the build runs on; 0: as many as the machine has.
    unsigned threads = 0;
};

// Every position up to a ply of every game of a list, by key: which games reach a position, at
// which ply first, and what they played next there. 14 bytes an indexed position (its key, the
// game, the ply and the next move) and 8 bytes a game (result, ratings, year). The positions
// lie in buckets by the top bits of their keys, a thousand or more a bucket, each bucket in
// list order: a lookup walks one bucket (microseconds) besides the games it finds.
//
// Built once on a worker (Build), then read only: Explore and GamesReaching run on any thread,
// at the same time as each other. It belongs to the list it was built from: game numbers are
// that list's indexes.
class CPositionIndex {
public:
    static constexpr int kMaxPlyLimit = 63;

    // Indexes the games of `games`, on opts.threads threads. Reports its progress on
    // `progress` (total: the games, read: the games replayed once to count, parsed: the games
    // replayed again to fill) and returns null, soon, when it is cancelled there. A game whose
    // start or a move cannot be played is indexed as far as it goes. About 0.3 s of processor
    // time per 100,000 games.
    static std::shared_ptr<const CPositionIndex> Build(const CGameListSnapshot& games,
                                                       const CIndexOptions& options = {},
                                                       CLoadProgress* progress = nullptr);

    // The explorer's figures for `position` over all games, or over `subset` alone. Linear in
    // the games that reach the position (about 1 ms per 100,000 games).
    CExplorerCounts Explore(const CKeyedPosition& position,
                            const CGameSubset* subset = nullptr) const;
    // The games that reach the position with `key` up to MaxPly(), each once with the ply of
    // its first visit, in list order; of `subset` alone when given.
    std::vector<CGameVisit> GamesReaching(CPositionKey key,
                                          const CGameSubset* subset = nullptr) const;

    std::size_t GameCount() const noexcept { return facts.size(); }
    std::size_t PositionCount() const noexcept { return entries.size(); }
    int MaxPly() const noexcept { return maxPly; }
    // The bytes the index holds.
    std::size_t MemoryBytes() const noexcept;

    // One indexed position of a game: the key without its bucket bits with the ply below them,
    // the game's list index, and the move the game played next (kNoMove at its end).
    struct [[gnu::packed]] CEntry {
        std::uint64_t keyPly;
        std::uint32_t game;
        CPackedMove next;
    };

private:
    CPositionIndex() = default;

    // Calls visit(entry) for the first visit of each game to the position with `key`, in list
    // order: a walk through the key's bucket.
    template <class Visit>
    void ForEachVisit(CPositionKey key, Visit&& visit) const;

    int maxPly = 0;
    int bucketBits = 8;
    std::vector<CEntry> entries;
    std::vector<std::uint64_t> bucketStarts; // 2^bucketBits + 1 offsets into entries
    std::vector<CGameFacts> facts;           // by game
};
