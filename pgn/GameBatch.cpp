#include "pgn/GameBatch.h"

#include "pgn/PGNExceptions.h"

#include <algorithm>
#include <cstring>
#include <sys/mman.h>
#include <unistd.h>

namespace {

// Blocks hold the tag ids and moves of many games: up to this size, as a batch's text suggests; a
// game larger than a block gets one of its own.
constexpr std::size_t kMaxBlockSize = kGameBlockAlign - sizeof(CGameBlockHeader);
constexpr std::size_t kMinBlockSize = std::size_t{1} << 14;
// A game's slot in its block is 16 bits.
constexpr std::uint32_t kMaxSlot = 0xFFFF;
// Games of real collections take 400 to 800 bytes of text, and about a quarter of that in a
// batch. Room for the records is made for short games; Seal gives back what is left over.
constexpr std::size_t kTextBytesPerGame = 400;
constexpr std::size_t kTextBytesPerStoredByte = 4;

// Maps the pages of fresh memory at once (see CGameBlock). Only a hint.
void Prefault(void* memory, std::size_t bytes) {
    const auto page = static_cast<std::uintptr_t>(::sysconf(_SC_PAGESIZE));
    const auto begin = (reinterpret_cast<std::uintptr_t>(memory) + page - 1) & ~(page - 1);
    const auto end = (reinterpret_cast<std::uintptr_t>(memory) + bytes) & ~(page - 1);
    if (end > begin) {
        ::madvise(reinterpret_cast<void*>(begin), end - begin, MADV_POPULATE_WRITE);
    }
}

// A list of millions of games is sized by this record.
static_assert(sizeof(CStoredGame) == 24);

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
    tables.push_back(std::make_unique<CTagTable>());
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

std::uint16_t* CGameBatch::Allocate(std::size_t moveCount, std::uint16_t*& ids) {
    const std::size_t movesBytes = (1 + moveCount) * sizeof(std::uint16_t);
    const std::size_t idsBytes = kTagFields * sizeof(std::uint16_t);
    if (blockFree == nullptr ||
        movesBytes + idsBytes > static_cast<std::size_t>(blockEnd - blockFree) ||
        runs.back().count > kMaxSlot) {
        LeaveBlock();
        const std::size_t size = std::max(blockSize, movesBytes + idsBytes);
        blocks.emplace_back(size, size, tables.back().get());
        blockBytes += static_cast<std::size_t>(blocks.back().End() - blocks.back().Begin());
        blockFree = blocks.back().Begin();
        blockEnd = blocks.back().End();
        runs.push_back({tables.back().get(), reinterpret_cast<const std::uint16_t*>(blockEnd),
                        static_cast<std::uint32_t>(games.size()), 0});
    }
    auto* slot = reinterpret_cast<std::uint16_t*>(blockFree);
    *slot = static_cast<std::uint16_t>(runs.back().count++);
    blockFree += movesBytes;
    blockEnd -= idsBytes;
    ids = reinterpret_cast<std::uint16_t*>(blockEnd);
    return slot + 1;
}

void CGameBatch::Add(const CParsedGame& game) {
    for (const CMove& move : game.moves) {
        if (!CanPackMove(move)) {
            throw CPGNReaderException("CPGNReader::ParseGame(): Move out of range!");
        }
    }
    if (game.textOffset >> kTextOffsetBits != 0 || game.textLength >> 32 != 0) {
        throw CPGNReaderException(
            "CPGNReader::ParseGame(): The game's text is too long or too far into the file!");
    }
    if (game.moves.size() >> kMoveCountBits != 0) {
        throw CPGNReaderException("CPGNReader::ParseGame(): The game holds too many moves!");
    }
    std::size_t tagBytes = 0;
    for (const std::string_view tag : game.tags) {
        tagBytes += tag.size();
    }
    if (tables.back()->Full(kTagFields, tagBytes)) {
        tables.back()->Seal();
        tables.push_back(std::make_unique<CTagTable>());
        LeaveBlock(); // a block names one table
    }
    std::uint16_t* ids = nullptr;
    std::uint16_t* moves = Allocate(game.moves.size(), ids);
    for (std::size_t i = 0; i < game.tags.size(); ++i) {
        ids[i] = tables.back()->Add(game.tags[i]);
    }
    CStoredGame stored;
    stored.moves = moves;
    std::transform(game.moves.begin(), game.moves.end(), moves, PackMove);
    stored.textOffset = game.textOffset;
    stored.textLength = static_cast<std::uint32_t>(game.textLength);
    stored.moveCount = game.moves.size();
    stored.result = static_cast<std::int8_t>(game.result);
    stored.SetRatings(game.whiteElo, game.blackElo);
    games.push_back(stored);
}

void CGameBatch::Seal() {
    tables.back()->Seal();
    games.shrink_to_fit();
    LeaveBlock();
}

// The room left between the block's moves and ids was mapped when the block was made: it is
// given back, as nothing is written there any more.
void CGameBatch::LeaveBlock() noexcept {
    const auto page = static_cast<std::uintptr_t>(::sysconf(_SC_PAGESIZE));
    const auto begin = (reinterpret_cast<std::uintptr_t>(blockFree) + page - 1) & ~(page - 1);
    const auto end = reinterpret_cast<std::uintptr_t>(blockEnd) & ~(page - 1);
    if (blockFree != nullptr && end > begin &&
        ::madvise(reinterpret_cast<void*>(begin), end - begin, MADV_DONTNEED) == 0) {
        blockBytes -= end - begin;
    }
    blockFree = nullptr;
}

CGameBatch::CMemory CGameBatch::Memory() const noexcept {
    CMemory memory{games.capacity() * sizeof(CStoredGame), blockBytes, 0};
    for (const std::unique_ptr<CTagTable>& table : tables) {
        memory.tables += table->MemoryBytes();
    }
    return memory;
}

CChessGameData CGameBatch::GameData(std::size_t i) const {
    const CStoredGame& game = games[i];
    std::vector<CMove> moves(game.moveCount);
    std::transform(game.moves, game.moves + game.moveCount, moves.begin(), UnpackMove);
    auto tag = [&game](ETagField field) { return std::string(game.Tag(field)); };
    return CChessGameData(tag(kEvent), tag(kSite), tag(kDate), tag(kRound), tag(kWhite),
                          tag(kBlack), game.result, std::move(moves), tag(kStart));
}
