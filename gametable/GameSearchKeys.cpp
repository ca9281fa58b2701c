#include "gametable/GameSearchKeys.h"

#include "common/SearchFolding.h"

#include <algorithm>
#include <array>

namespace {

// Which tag each search field reads.
constexpr std::array<ETagField, kSearchFields> kSearchTags = {kWhite, kBlack, kEvent,
                                                              kSite,  kDate,  kRound};

} // namespace

bool ListExtends(const CGameListSnapshot& list, const CGameListSnapshot& shown) noexcept {
    const std::size_t n = shown.Size();
    return n == 0 || (list.Size() >= n && &list.Game(n - 1) == &shown.Game(n - 1));
}

CGameSearchKeys::CGameSearchKeys() : list(std::make_shared<const CGameListSnapshot>()) {
}

namespace {

// A chunk for the games of `table`, its values folded, from list index `first`.
std::shared_ptr<CGameSearchKeys::CChunk> NewChunk(const CTagTable& table, std::size_t first,
                                                  std::size_t games, ELegacyCodePage page) {
    auto chunk = std::make_shared<CGameSearchKeys::CChunk>();
    chunk->first = first;
    chunk->table = &table;
    chunk->starts.reserve(table.Size() + 1);
    for (std::size_t id = 0; id < table.Size(); ++id) {
        chunk->starts.push_back(static_cast<std::uint32_t>(chunk->text.size()));
        AppendFoldedForSearch(chunk->text, table.Value(static_cast<std::uint16_t>(id)), page);
        chunk->text += '\n';
    }
    chunk->starts.push_back(static_cast<std::uint32_t>(chunk->text.size()));
    chunk->text.shrink_to_fit();
    for (std::vector<std::uint16_t>& ids : chunk->ids) {
        ids.reserve(games);
    }
    return chunk;
}

} // namespace

CGameSearchKeys::CGameSearchKeys(std::shared_ptr<const CGameListSnapshot> list,
                                 const CGameSearchKeys* previous)
    : list(std::move(list)) {
    const CGameListSnapshot& games = *this->list;
    if (previous != nullptr && ListExtends(games, *previous->list)) {
        chunks = previous->chunks;
        size = previous->size;
    }
    std::shared_ptr<CChunk> chunk;
    while (size < games.Size()) {
        std::size_t first = 0;
        const CGameBatch& batch = games.BatchOf(size, first);
        for (std::size_t i = size - first; i < batch.Size(); ++i) {
            const CStoredGame& game = batch.Game(i);
            const CTagTable& table = game.TagTable();
            if (!chunk || chunk->table != &table) {
                if (chunk) {
                    chunks.push_back(std::move(chunk));
                }
                chunk = NewChunk(table, first + i, batch.Size() - i, batch.File()->codePage);
            }
            for (std::size_t f = 0; f < kSearchFields; ++f) {
                chunk->ids[f].push_back(game.TagId(kSearchTags[f]));
            }
        }
        size = first + batch.Size();
    }
    if (chunk) {
        chunks.push_back(std::move(chunk));
    }
}

const CGameSearchKeys::CChunk& CGameSearchKeys::ChunkOf(std::size_t game,
                                                        std::size_t& k) const noexcept {
    const auto after = std::upper_bound(
        chunks.begin(), chunks.end(), game,
        [](std::size_t i, const std::shared_ptr<const CChunk>& c) { return i < c->first; });
    const CChunk& chunk = **(after - 1);
    k = game - chunk.first;
    return chunk;
}

std::string_view CGameSearchKeys::Field(std::size_t game, ESearchField field) const noexcept {
    std::size_t k = 0;
    const CChunk& chunk = ChunkOf(game, k);
    return chunk.Value(chunk.ids[static_cast<std::size_t>(field)][k]);
}

std::size_t CGameSearchKeys::MemoryBytes() const noexcept {
    std::size_t bytes = 0;
    for (const std::shared_ptr<const CChunk>& chunk : chunks) {
        bytes += chunk->text.capacity() + chunk->starts.capacity() * sizeof(std::uint32_t);
        for (const std::vector<std::uint16_t>& ids : chunk->ids) {
            bytes += ids.capacity() * sizeof(std::uint16_t);
        }
    }
    return bytes;
}
