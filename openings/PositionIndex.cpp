#include "openings/PositionIndex.h"

#include <algorithm>

template <class Visit>
void CPositionIndex::ForEachVisit(CPositionKey key, Visit&& visit) const {
    if (entries.empty()) {
        return;
    }
    const auto bucket = static_cast<std::size_t>(key >> (64 - bucketBits));
    const CEntry* const end = entries.data() + bucketStarts[bucket + 1];
    const std::uint64_t target = (key << bucketBits) >> 6;
    std::uint32_t previous = UINT32_MAX;
    for (const CEntry* e = entries.data() + bucketStarts[bucket]; e != end; ++e) {
        if ((e->keyPly >> 6) == target && e->game != previous) {
            previous = e->game;
            visit(*e);
        }
    }
}

CExplorerCounts CPositionIndex::Explore(const CKeyedPosition& position,
                                        const CGameSubset* subset) const {
    CExplorerTally tally;
    ForEachVisit(position.Key(), [&](const CEntry& e) {
        if (subset == nullptr || subset->Contains(e.game)) {
            tally.Add(e.next, facts[e.game]);
        }
    });
    return tally.Finish(position.Board());
}

std::vector<CGameVisit> CPositionIndex::GamesReaching(CPositionKey key,
                                                      const CGameSubset* subset) const {
    std::vector<CGameVisit> visits;
    ForEachVisit(key, [&](const CEntry& e) {
        if (subset == nullptr || subset->Contains(e.game)) {
            visits.push_back({e.game, static_cast<std::uint16_t>(e.keyPly & 63)});
        }
    });
    return visits;
}

std::size_t CPositionIndex::MemoryBytes() const noexcept {
    return entries.capacity() * sizeof(CEntry) + bucketStarts.capacity() * sizeof(std::uint64_t) +
           facts.capacity() * sizeof(CGameFacts);
}
