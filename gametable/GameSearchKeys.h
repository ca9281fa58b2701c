#pragma once

#include "pgn/GameList.h"

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

    CGameSearchKeys();
    // Keys of all games of `list`. When `list` grew from the list of `previous`, the keys of
    // `previous` are shared rather than made again.
    explicit CGameSearchKeys(std::shared_ptr<const CGameListSnapshot> list,
                             const CGameSearchKeys* previous = nullptr);

    // The list these are the keys of.
    const std::shared_ptr<const CGameListSnapshot>& List() const noexcept { return list; }
    std::size_t Size() const noexcept { return size; }
    // The key of game < Size(), with the '\n' after its last field.
    std::string_view Key(std::size_t game) const noexcept;
    // One folded field of game < Size(), without its '\n'.
    std::string_view Field(std::size_t game, ESearchField field) const noexcept;
    const std::vector<std::shared_ptr<const CChunk>>& Chunks() const noexcept { return chunks; }
    // Bytes the keys take, texts and offsets, shared chunks included.
    std::size_t MemoryBytes() const noexcept;

private:
    // Kept so that the games keep their addresses, by which a grown list is told from another.
    std::shared_ptr<const CGameListSnapshot> list;
    std::vector<std::shared_ptr<const CChunk>> chunks;
    std::size_t size = 0;
};
