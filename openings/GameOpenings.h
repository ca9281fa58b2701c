#pragma once

#include "chess/Move.h"
#include "openings/KeyedPosition.h"
#include "openings/OpeningBook.h"
#include "pgn/GameBatch.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <vector>

struct CLoadProgress;

// A game's opening in four bytes: the book entry of the last named position of its main line
// and the ply of that position (0 the start, i after the i-th move).
struct COpeningMark {
    COpeningBook::CEntryIndex entry = COpeningBook::kNone;
    std::uint16_t ply = 0;

    bool Named() const noexcept { return entry != COpeningBook::kNone; }
    bool operator==(const COpeningMark&) const = default;
};

// The last named position among `start` and the positions after each of `moves`. Replays only
// as far as a named position can still follow (see COpeningBook::MayReachNamed): typically
// 15 to 30 plies, a microsecond or two. A move that cannot be played ends the line there.
COpeningMark ClassifyLine(const COpeningBook& book, CKeyedPosition start,
                          std::span<const CMove> moves);

// The opening of a listed game.
COpeningMark ClassifyGame(const COpeningBook& book, const CStoredGame& game);

// The openings of the games of `batches`, in list order, on `threads` threads (0: as many as
// the machine has). With `progress`, ends early when it is cancelled and returns nothing.
// About 150 ms per 100,000 games on one thread.
std::optional<std::vector<COpeningMark>>
ClassifyGames(const COpeningBook& book,
              const std::vector<std::shared_ptr<const CGameBatch>>& batches, unsigned threads = 0,
              const CLoadProgress* progress = nullptr);
