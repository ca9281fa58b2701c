#include "gametable/GameSearchKeys.h"

#include "common/SearchFolding.h"

#include <algorithm>
#include <array>

namespace {

// Which tag each search field reads.
constexpr std::array<ETagField, kSearchFields> kSearchTags = {kWhite, kBlack, kEvent,
                                                              kSite,  kDate,  kRound};
// A chunk's offsets are 32-bit: a chunk is closed well before its text reaches 4 GB.
constexpr std::size_t kMaxChunkText = std::size_t{1} << 30;

} // namespace

bool ListExtends(const CGameListSnapshot& list, const CGameListSnapshot& shown) noexcept {
    const std::size_t n = shown.Size();
    return n == 0 || (list.Size() >= n && &list.Game(n - 1) == &shown.Game(n - 1));
}

CGameSearchKeys::CGameSearchKeys() : list(std::make_shared<const CGameListSnapshot>()) {
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
        if (!chunk || chunk->text.size() > kMaxChunkText) {
            if (chunk) {
                chunk->starts.push_back(static_cast<std::uint32_t>(chunk->text.size()));
                chunks.push_back(std::move(chunk));
            }
            chunk = std::make_shared<CChunk>();
            chunk->first = size;
            chunk->starts.reserve(games.Size() - size + 1);
            // Folded keys are about as long as the tags; tags of real games take some 60 bytes.
            chunk->text.reserve((games.Size() - size) * 64);
        }
        for (std::size_t i = size - first; i < batch.Size(); ++i) {
            const CStoredGame& game = batch.Game(i);
            chunk->starts.push_back(static_cast<std::uint32_t>(chunk->text.size()));
            for (const ETagField tag : kSearchTags) {
                AppendFoldedForSearch(chunk->text, game.Tag(tag), batch.File()->codePage);
                chunk->text += '\n';
            }
        }
        size = first + batch.Size();
    }
    if (chunk) {
        chunk->starts.push_back(static_cast<std::uint32_t>(chunk->text.size()));
        chunk->text.shrink_to_fit();
        chunks.push_back(std::move(chunk));
    }
}

std::string_view CGameSearchKeys::Key(std::size_t game) const noexcept {
    const auto after = std::upper_bound(
        chunks.begin(), chunks.end(), game,
        [](std::size_t i, const std::shared_ptr<const CChunk>& c) { return i < c->first; });
    const CChunk& chunk = **(after - 1);
    const std::size_t k = game - chunk.first;
    return std::string_view(chunk.text)
        .substr(chunk.starts[k], chunk.starts[k + 1] - chunk.starts[k]);
}

std::string_view CGameSearchKeys::Field(std::size_t game, ESearchField field) const noexcept {
    std::string_view key = Key(game);
    for (int f = 0; f < field; ++f) {
        key.remove_prefix(key.find('\n') + 1);
    }
    return key.substr(0, key.find('\n'));
}

std::size_t CGameSearchKeys::MemoryBytes() const noexcept {
    std::size_t bytes = 0;
    for (const std::shared_ptr<const CChunk>& chunk : chunks) {
        bytes += chunk->text.capacity() + chunk->starts.capacity() * sizeof(std::uint32_t);
    }
    return bytes;
}
