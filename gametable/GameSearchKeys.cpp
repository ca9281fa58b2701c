#include "gametable/GameSearchKeys.h"

#include "common/SearchFolding.h"

#include <algorithm>

bool ListExtends(const CGameListSnapshot& list, const CGameListSnapshot& shown) noexcept {
    const std::size_t n = shown.Size();
    return n == 0 || (list.Size() >= n && &list.Game(n - 1) == &shown.Game(n - 1));
}

CGameSearchKeys::CGameSearchKeys() : list(std::make_shared<const CGameListSnapshot>()) {
}

namespace {

// A chunk for the games of `table`, its values folded, from list index `first`.
std::shared_ptr<CGameSearchKeys::CChunk> NewChunk(const CTagTable& table, std::size_t first,
                                                  ELegacyCodePage page) {
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
    return chunk;
}

} // namespace

const std::uint16_t* CGameSearchKeys::CChunk::Ids(std::size_t k) const noexcept {
    const std::size_t game = first + k;
    const auto after =
        std::upper_bound(runs.begin(), runs.end(), game,
                         [](std::size_t g, const CRun& run) { return g < run.first; });
    return (after - 1)->Ids(game - (after - 1)->first);
}

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
        for (const CGameBatch::CTagIdRun& run : batch.TagIdRuns()) {
            const std::size_t begin = std::max(first + run.first, size);
            const std::size_t end = first + run.first + run.count;
            if (begin >= end) {
                continue;
            }
            if (!chunk || chunk->table != run.table) {
                if (chunk) {
                    chunks.push_back(std::move(chunk));
                }
                chunk = NewChunk(*run.table, begin, batch.File()->codePage);
            }
            const std::size_t skipped = begin - (first + run.first);
            chunk->runs.push_back({begin, end - begin, run.top - skipped * kTagFields});
            chunk->size += end - begin;
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
    return chunk.Value(chunk.Ids(k)[field]);
}

std::size_t CGameSearchKeys::MemoryBytes() const noexcept {
    std::size_t bytes = 0;
    for (const std::shared_ptr<const CChunk>& chunk : chunks) {
        bytes += chunk->text.capacity() + chunk->starts.capacity() * sizeof(std::uint32_t) +
                 chunk->runs.capacity() * sizeof(CRun);
    }
    return bytes;
}
