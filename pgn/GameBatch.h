#pragma once

#include "chess/ChessGameData.h"
#include "chess/Move.h"
#include "common/ByteStream.h"
#include "common/CodePages.h"
#include "common/CompressionFormat.h"
#include "pgn/GameBlock.h"
#include "pgn/TagTable.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

class CKeptText;

// The file a batch of games was read from, as it was when it was read: so that a game's text can
// be found there again, and a change of the file noticed. A compressed file's games stand in its
// decompressed text (of one entry, for a zip archive): they are found again from the restart
// point before them, or in the text kept in memory where no restart point is near.
struct CSourceFile {
    std::string path;            // empty for a text read from memory
    std::uint64_t size = 0;      // bytes
    std::int64_t modifiedNs = 0; // modification time, nanoseconds since the epoch
    // What its text that is not UTF-8 is read in, chosen once for the whole file as it is read.
    ELegacyCodePage codePage = ELegacyCodePage::kWindows1252;
    ECompression compression = ECompression::kNone;
    std::string entry;                   // the zip entry's name, as stored in the archive
    std::uint64_t entryIndex = 0;        // its index in the archive
    std::vector<CRestartPoint> restarts; // ascending, the text's start first
    std::shared_ptr<const CKeptText> kept;

    // What the games table shows: the file's name, and for a zip entry "archive.zip/inner.pgn".
    std::string Name() const;
};

// The tag values a listed game keeps, in this order; kStart is the FEN text of a set-up position.
enum ETagField : int { kEvent, kSite, kDate, kRound, kWhite, kBlack, kStart, kTagFields };

// A move in two bytes: source square (6 bits), destination file (3 bits) and the destination
// rank with a promotion folded in (-4..11, 4 bits), as CMove holds them.
using CPackedMove = std::uint16_t;
CPackedMove PackMove(const CMove& move) noexcept;
CMove UnpackMove(CPackedMove packed) noexcept;
// True when the move can be packed: a source on the board and a destination within the ranges
// above (every move that the board executes is such a move).
bool CanPackMove(const CMove& move) noexcept;

// The highest rating a game keeps; a higher value is taken for no rating.
inline constexpr std::uint16_t kMaxRating = 4095;

// Where a listed game's text may lie, up to 1 TiB into its file, and how many moves it may hold.
// A game's text may be up to 4 GiB long: a single comment of hundreds of megabytes is real.
inline constexpr unsigned kTextOffsetBits = 40;
inline constexpr unsigned kMoveCountBits = 64 - kTextOffsetBits;

// One game of the list in compact form, 24 bytes. Its tag values and moves live in its batch's
// blocks: `moves` is preceded by the game's slot in the block that holds them, which places the
// ids of its kTagFields tag values in the block's tag table (GameBlock.h).
struct CStoredGame {
    const CPackedMove* moves = nullptr;
    std::uint64_t textOffset : kTextOffsetBits = 0; // where the game's text starts in its file
    std::uint64_t moveCount : kMoveCountBits = 0;
    std::uint32_t textLength = 0; // from its first tag pair to its movetext's end
    std::int8_t result = ResultNone;
    // The players' ratings, 12 bits each (White's low), in what would otherwise be padding.
    std::array<std::uint8_t, 3> ratings{};

    // The rating of a WhiteElo or BlackElo pair, 1..kMaxRating; 0 when the game gives none.
    std::uint16_t WhiteElo() const noexcept {
        return static_cast<std::uint16_t>(ratings[0] | (ratings[1] & 0x0F) << 8);
    }
    std::uint16_t BlackElo() const noexcept {
        return static_cast<std::uint16_t>(ratings[1] >> 4 | ratings[2] << 4);
    }
    void SetRatings(std::uint16_t white, std::uint16_t black) noexcept {
        ratings = {static_cast<std::uint8_t>(white & 0xFF),
                   static_cast<std::uint8_t>((white >> 8 & 0x0F) | (black & 0x0F) << 4),
                   static_cast<std::uint8_t>(black >> 4 & 0xFF)};
    }

    // The ids of its kTagFields tag values in TagTable(), in the order of ETagField.
    const std::uint16_t* TagIds() const noexcept {
        return GameBlockOf(moves - 1).end - (std::size_t{moves[-1]} + 1) * kTagFields;
    }
    std::uint16_t TagId(ETagField field) const noexcept { return TagIds()[field]; }
    const CTagTable& TagTable() const noexcept { return *GameBlockOf(moves - 1).tags; }
    std::string_view Tag(ETagField field) const noexcept { return TagTable().Value(TagId(field)); }
};

// What the parser of one game hands to a batch.
struct CParsedGame {
    std::array<std::string_view, kTagFields> tags;
    int result = ResultNone;
    std::span<const CMove> moves;
    std::uint64_t textOffset = 0;
    std::uint64_t textLength = 0;
    std::uint16_t whiteElo = 0; // 0: none given, or not a rating
    std::uint16_t blackElo = 0;
};

// The games of one stretch of a file, in file order, in compact form: 2 bytes a move, and each
// distinct tag value stored once in a tag table, so that a list of a whole database takes a
// fraction of the file's size. Filled by one thread, then sealed, then never changed.
class CGameBatch {
public:
    // Room is made for about `expectedGames` games from `textBytes` bytes of text.
    CGameBatch(std::shared_ptr<const CSourceFile> file, std::size_t textBytes);
    CGameBatch(const CGameBatch&) = delete;
    CGameBatch& operator=(const CGameBatch&) = delete;

    // Copies the game in. Throws CPGNReaderException for a move that cannot be packed, or a
    // text beyond the reach of CStoredGame's offset and length.
    void Add(const CParsedGame& game);
    // Ends the filling: gives back what only adding needs.
    void Seal();

    // Consecutive games of the batch whose tag ids share a block: game first + k's ids
    // (k < count) are Ids(k), in `table`.
    struct CTagIdRun {
        const CTagTable* table = nullptr;
        const std::uint16_t* top = nullptr;
        std::uint32_t first = 0;
        std::uint32_t count = 0;

        const std::uint16_t* Ids(std::size_t k) const noexcept {
            return top - (k + 1) * kTagFields;
        }
    };
    // The runs of all games, in order.
    const std::vector<CTagIdRun>& TagIdRuns() const noexcept { return runs; }

    std::size_t Size() const noexcept { return games.size(); }
    const CStoredGame& Game(std::size_t i) const noexcept { return games[i]; }
    CChessGameData GameData(std::size_t i) const;
    const std::shared_ptr<const CSourceFile>& File() const noexcept { return file; }
    // Bytes the games take: records, blocks (tag ids and moves) and tag tables.
    struct CMemory {
        std::size_t records = 0;
        std::size_t blocks = 0;
        std::size_t tables = 0;
    };
    CMemory Memory() const noexcept;

private:
    // Room for the next game's `moveCount` moves, preceded by its slot, and for its tag ids
    // (`ids`), at addresses that never change, in a block whose header names the current tag
    // table. Returns where the moves go.
    std::uint16_t* Allocate(std::size_t moveCount, std::uint16_t*& ids);
    // Ends the filling of the current block, if any: its room left is given back.
    void LeaveBlock() noexcept;

    std::shared_ptr<const CSourceFile> file;
    std::vector<CStoredGame> games;
    std::vector<std::unique_ptr<CTagTable>> tables; // the last is the one being filled
    std::vector<CGameBlock> blocks;
    std::vector<CTagIdRun> runs; // one a block
    std::size_t blockSize;
    std::size_t blockBytes = 0; // of the blocks, less the room given back, for Memory()
    std::byte* blockFree = nullptr;
    std::byte* blockEnd = nullptr;
};
