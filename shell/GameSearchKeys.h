#pragma once

#include "pgn/GameList.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

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

// The searched tags of every game of a list, folded for search (FoldForSearch): one key a game,
// its six fields in ESearchField order, each followed by '\n', which no folded text holds, so
// that a term never matches across two fields. The keys are kept in chunks, one for each stretch
// of the list added at once: keys of a grown list share the chunks of the keys they extend.
// Never changes once made, so any thread may read it.
class CGameSearchKeys {
public:
    struct CChunk {
        std::size_t first = 0;             // the list index of the chunk's first game
        std::string text;                  // the keys back to back
        std::vector<std::uint32_t> starts; // where each key starts in `text`, then its size
        std::size_t Size() const noexcept { return starts.size() - 1; }
    };

    CGameSearchKeys() = default;
    // Keys of all games of `games`. Those of `previous`, which must be keys of the first games of
    // that same list, are shared rather than made again.
    explicit CGameSearchKeys(const CGameListSnapshot& games,
                             const CGameSearchKeys* previous = nullptr);

    std::size_t Size() const noexcept { return size; }
    // The key of game < Size(), with the '\n' after its last field.
    std::string_view Key(std::size_t game) const noexcept;
    // One folded field of game < Size(), without its '\n'.
    std::string_view Field(std::size_t game, ESearchField field) const noexcept;
    const std::vector<std::shared_ptr<const CChunk>>& Chunks() const noexcept { return chunks; }
    // Bytes the keys take, texts and offsets, shared chunks included.
    std::size_t MemoryBytes() const noexcept;

private:
    std::vector<std::shared_ptr<const CChunk>> chunks;
    std::size_t size = 0;
};
