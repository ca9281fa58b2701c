#pragma once

#include "pgn/GameBatch.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

// A database of made-up games for the benchmarks, built straight into batches (no text): each
// game follows one of the master games for a random number of plies (most often 4 to 20),
// then plays random legal moves (no castling, no en passant, promotions to a queen) up to 40
// to 80 plies, or until the side to move has none. Its tags: a date of 1950..2024, ratings of
// 1800..2799 for four games in five, a result. Opening trees of real databases look alike: a
// few main lines with many branches. The same seed gives the same games; made on `threads`
// threads in batches of about 100,000 games.
std::vector<std::shared_ptr<const CGameBatch>>
MakeRandomGames(std::size_t count, std::uint64_t seed, unsigned threads);
