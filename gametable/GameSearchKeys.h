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

// The tags a search looks at, in the order a key holds them.
enum ESearchField : int {
    kSearchWhite,
    kSearchBlack,
    kSearchEvent,
    kSearchSite,
    kSearchDate,
    kSearchRound,
    kSearchFields
};

// The searched tags of every game of a list, for search: each distinct tag value of a run of
// games folded once (FoldForSearch), and each game's six fields as ids of those values. A
// search looks at the distinct values, and a value it matches marks all its games. The keys are
// kept in chunks, one for each run of games that share a tag table: keys of a grown list share
// the chunks of the keys they extend. Never changes once made, so any thread may read it.
class CGameSearchKeys {
public:
    struct CChunk {
        std::size_t first = 0;             // the list index of the chunk's first game
        const CTagTable* table = nullptr;  // the values the ids name, as read
        std::string text;                  // each value folded and followed by '\n'
        std::vector<std::uint32_t> starts; // where each value starts in `text`, then its size
        std::array<std::vector<std::uint16_t>, kSearchFields> ids; // each game's value of a field

        std::size_t Size() const noexcept { return ids[0].size(); }
        std::size_t ValueCount() const noexcept { return starts.size() - 1; }
        // Folded value `id`, without its '\n'.
        std::string_view Value(std::uint16_t id) const noexcept {
            return std::string_view(text).substr(starts[id], starts[id + 1u] - starts[id] - 1);
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
    // Bytes the keys take, texts and ids, shared chunks included.
    std::size_t MemoryBytes() const noexcept;

private:
    // Kept so that the games keep their addresses, by which a grown list is told from another.
    std::shared_ptr<const CGameListSnapshot> list;
    std::vector<std::shared_ptr<const CChunk>> chunks;
    std::size_t size = 0;
};
