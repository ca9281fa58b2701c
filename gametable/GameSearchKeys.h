#pragma once

#include "pgn/GameList.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// True when `list` begins with the games of `shown`, as a list does that a load appended to: it
// holds the same batches, so the same games at the same addresses (`shown` keeps them alive).
bool ListExtends(const CGameListSnapshot& list, const CGameListSnapshot& shown) noexcept;

// The tags a search looks at: the first six of a game's tag ids (ETagField), in that order.
enum ESearchField : int {
    kSearchEvent = kEvent,
    kSearchSite = kSite,
    kSearchDate = kDate,
    kSearchRound = kRound,
    kSearchWhite = kWhite,
    kSearchBlack = kBlack,
    kSearchFields
};
static_assert(static_cast<int>(kSearchFields) == static_cast<int>(kStart),
              "the searched tags are the ids before the set-up position");

// The searched tags of every game of a list, for search: each distinct tag value of a run of
// games folded once (FoldForSearch); the games' fields are the ids of those values that their
// batch holds already (CGameBatch::TagIdRuns), read where they lie. A search looks at the
// distinct values, and a value it matches marks all its games. The keys are kept in chunks, one
// for each run of games that share a tag table: keys of a grown list share the chunks of the
// keys they extend. Never changes once made, so any thread may read it.
class CGameSearchKeys {
public:
    // Consecutive games whose ids lie back to back: game first + k's are Ids(k).
    struct CRun {
        std::size_t first = 0; // the list index of its first game
        std::size_t count = 0;
        const std::uint16_t* top = nullptr;

        const std::uint16_t* Ids(std::size_t k) const noexcept {
            return top - (k + 1) * kTagFields;
        }
    };
    struct CChunk {
        std::size_t first = 0;             // the list index of the chunk's first game
        std::size_t size = 0;              // games
        const CTagTable* table = nullptr;  // the values the ids name, as read
        std::string text;                  // each value folded and followed by '\n'
        std::vector<std::uint32_t> starts; // where each value starts in `text`, then its size
        std::vector<CRun> runs;            // of its games, in order

        std::size_t Size() const noexcept { return size; }
        std::size_t ValueCount() const noexcept { return starts.size() - 1; }
        // Folded value `id`, without its '\n'.
        std::string_view Value(std::uint16_t id) const noexcept {
            return std::string_view(text).substr(starts[id], starts[id + 1u] - starts[id] - 1);
        }
        // The ids of game k < Size() of the chunk.
        const std::uint16_t* Ids(std::size_t k) const noexcept;
        // Calls visit(list index, id of `field`) for each of its games, in order.
        template <typename Visit>
        void ForEachId(ESearchField field, Visit visit) const {
            for (const CRun& run : runs) {
                for (std::size_t k = 0; k < run.count; ++k) {
                    visit(run.first + k, run.Ids(k)[field]);
                }
            }
        }
    };

    CGameSearchKeys();
    // Keys of all games of `list`. When `list` grew from the list of `previous`, the keys of
    // `previous` are shared rather than made again.
    explicit CGameSearchKeys(std::shared_ptr<const CGameListSnapshot> list,
                             const CGameSearchKeys* previous = nullptr);

    // The list these are the keys of.
    const std::shared_ptr<const CGameListSnapshot>& List() const noexcept { return list; }
    std::size_t Size() const noexcept { return size; }
    // The chunk that holds game < Size(), with the game's index within it.
    const CChunk& ChunkOf(std::size_t game, std::size_t& k) const noexcept;
    // One folded field of game < Size().
    std::string_view Field(std::size_t game, ESearchField field) const noexcept;
    const std::vector<std::shared_ptr<const CChunk>>& Chunks() const noexcept { return chunks; }
    // Bytes the keys take, shared chunks included (the ids are the list's).
    std::size_t MemoryBytes() const noexcept;

private:
    // Kept so that the games keep their addresses, by which a grown list is told from another.
    std::shared_ptr<const CGameListSnapshot> list;
    std::vector<std::shared_ptr<const CChunk>> chunks;
    std::size_t size = 0;
};
