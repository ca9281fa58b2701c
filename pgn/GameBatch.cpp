#include "pgn/GameBatch.h"

#include "pgn/PGNExceptions.h"

#include <algorithm>
#include <cstring>
#include <sys/mman.h>
#include <unistd.h>

namespace {

// Blocks hold the texts and moves of many games: up to this size, as a batch's text suggests; a
// game larger than a block gets one of its own.
constexpr std::size_t kMaxBlockSize = std::size_t{1} << 20;
constexpr std::size_t kMinBlockSize = std::size_t{1} << 14;
// Games of real collections take 400 to 800 bytes of text, and about half that in a batch.
constexpr std::size_t kTextBytesPerGame = 600;
constexpr std::size_t kTextBytesPerStoredByte = 2;

// Maps the pages of fresh memory at once: one call instead of a fault per page, which costs
// more than the parse on some virtual machines. Only a hint; nothing happens where the system
// does not support it.
void Prefault(void* memory, std::size_t bytes) {
    const auto page = static_cast<std::uintptr_t>(::sysconf(_SC_PAGESIZE));
    const auto begin = (reinterpret_cast<std::uintptr_t>(memory) + page - 1) & ~(page - 1);
    const auto end = (reinterpret_cast<std::uintptr_t>(memory) + bytes) & ~(page - 1);
    if (end > begin) {
        ::madvise(reinterpret_cast<void*>(begin), end - begin, MADV_POPULATE_WRITE);
    }
}

// A list of millions of games is sized by this record.
static_assert(sizeof(CStoredGame) == 64);

} // namespace

std::string CSourceFile::Name() const {
    const std::size_t slash = path.rfind('/');
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    if (!entry.empty()) {
        name += '/';
        name += entry;
    }
    return name;
}

CGameBatch::CGameBatch(std::shared_ptr<const CSourceFile> file, std::size_t textBytes)
    : file(std::move(file)),
      blockSize(std::clamp(textBytes / kTextBytesPerStoredByte, kMinBlockSize, kMaxBlockSize)) {
    const std::size_t expected = textBytes / kTextBytesPerGame;
    games.reserve(expected);
    if (expected * sizeof(CStoredGame) >= kMaxBlockSize) {
        Prefault(games.data(), expected * sizeof(CStoredGame));
    }
}

bool CanPackMove(const CMove& move) noexcept {
    return static_cast<unsigned>(move.sourceFile) < 8 &&
           static_cast<unsigned>(move.sourceRank) < 8 && static_cast<unsigned>(move.destFile) < 8 &&
           move.destRank >= -4 && move.destRank <= 11;
}

CPackedMove PackMove(const CMove& move) noexcept {
    return static_cast<CPackedMove>(move.sourceFile | move.sourceRank << 3 | move.destFile << 6 |
                                    (move.destRank + 4) << 9);
}

CMove UnpackMove(CPackedMove packed) noexcept {
    return {packed & 7, (packed >> 3) & 7, (packed >> 6) & 7, ((packed >> 9) & 15) - 4};
}

void* CGameBatch::Allocate(std::size_t n, std::size_t align) {
    const std::size_t pad =
        blockFree == nullptr
            ? 0
            : (align - reinterpret_cast<std::uintptr_t>(blockFree) % align) % align;
    if (blockFree == nullptr || pad + n > blockLeft) {
        const std::size_t size = std::max(blockSize, n);
        blocks.push_back(std::make_unique_for_overwrite<std::byte[]>(size));
        Prefault(blocks.back().get(), size);
        blockFree = blocks.back().get(); // new[] returns memory aligned for any scalar
        blockLeft = size;
        return Allocate(n, align);
    }
    std::byte* at = blockFree + pad;
    blockFree = at + n;
    blockLeft -= pad + n;
    return at;
}

void CGameBatch::Add(const CParsedGame& game) {
    CStoredGame stored;
    std::size_t tagBytes = 0;
    for (std::size_t i = 0; i < game.tags.size(); ++i) {
        tagBytes += game.tags[i].size();
        stored.tagEnds[i] = static_cast<std::uint32_t>(tagBytes);
    }
    for (const CMove& move : game.moves) {
        if (!CanPackMove(move)) {
            throw CPGNReaderException("CPGNReader::ParseGame(): Move out of range!");
        }
    }
    auto* moves = static_cast<CPackedMove*>(
        Allocate(game.moves.size() * sizeof(CPackedMove), alignof(CPackedMove)));
    std::transform(game.moves.begin(), game.moves.end(), moves, PackMove);
    auto* tags = static_cast<char*>(Allocate(tagBytes, 1));
    for (std::size_t i = 0; i < game.tags.size(); ++i) {
        if (!game.tags[i].empty()) {
            std::memcpy(tags + (i == 0 ? 0 : stored.tagEnds[i - 1]), game.tags[i].data(),
                        game.tags[i].size());
        }
    }
    stored.textOffset = game.textOffset;
    stored.textLength = game.textLength;
    stored.moveCount = static_cast<std::uint32_t>(game.moves.size());
    stored.moves = moves;
    stored.tags = tags;
    stored.result = static_cast<std::int8_t>(game.result);
    stored.SetRatings(game.whiteElo, game.blackElo);
    games.push_back(stored);
}

CChessGameData CGameBatch::GameData(std::size_t i) const {
    const CStoredGame& game = games[i];
    std::vector<CMove> moves(game.moveCount);
    std::transform(game.moves, game.moves + game.moveCount, moves.begin(), UnpackMove);
    auto tag = [&game](ETagField field) { return std::string(game.Tag(field)); };
    return CChessGameData(tag(kEvent), tag(kSite), tag(kDate), tag(kRound), tag(kWhite),
                          tag(kBlack), game.result, std::move(moves), tag(kStart));
}
