// The build of the position index: two replays of every game, the first counting the positions
// that go to each bucket, the second writing them in place. Nothing but the index itself is
// allocated for the positions, so that the build's peak is the index.

#include "common/GeneralException.h"
#include "common/LoadProgress.h"
#include "openings/OpeningsExceptions.h"
#include "openings/PositionIndex.h"

#include <algorithm>
#include <atomic>
#include <bit>
#include <thread>

namespace {

static_assert(sizeof(CPositionIndex::CEntry) == 14);

// Games between two looks at the cancel flag and two progress reports.
constexpr std::size_t kGamesPerReport = 1024;
// Parts of the work per thread: enough for a thread that the system holds back to be made up
// for by the others.
constexpr std::size_t kPartsPerThread = 8;

// Calls visit(key, ply, next) for each position of the game's main line up to `maxPly`, `next`
// being the move played there (kNoMove at the end). Stops at a start or a move that cannot be
// played, as the same game always does.
template <class Visit>
void ForEachPosition(const CStoredGame& game, std::size_t maxPly, Visit&& visit) {
    CKeyedPosition position;
    try {
        position = CKeyedPosition::Start(game.Tag(kStart));
    } catch (const CGeneralException&) {
        return;
    }
    const std::size_t last = std::min<std::size_t>(game.moveCount, maxPly);
    for (std::size_t ply = 0;; ++ply) {
        const CPackedMove next = ply < game.moveCount ? game.moves[ply] : kNoMove;
        visit(position.Key(), ply, next);
        if (ply == last) {
            return;
        }
        try {
            position.Play(UnpackMove(next));
        } catch (const COpeningsException&) {
            return;
        }
    }
}

// The games of a list in list order, without a search per game.
std::vector<const CStoredGame*> ListGames(const CGameListSnapshot& games) {
    std::vector<const CStoredGame*> list;
    list.reserve(games.Size());
    for (const auto& batch : games.Batches()) {
        for (std::size_t i = 0; i < batch->Size(); ++i) {
            list.push_back(&batch->Game(i));
        }
    }
    return list;
}

// Runs work(task) for tasks 0..count-1 on `threads` threads, each taking the next task free.
template <class Work>
void RunTasks(unsigned threads, std::size_t count, Work&& work) {
    std::atomic<std::size_t> next{0};
    const auto run = [&] {
        for (std::size_t task = next++; task < count; task = next++) {
            work(task);
        }
    };
    std::vector<std::jthread> helpers;
    for (unsigned t = 1; t < threads; ++t) {
        helpers.emplace_back(run);
    }
    run();
}

} // namespace

std::shared_ptr<const CPositionIndex> CPositionIndex::Build(const CGameListSnapshot& games,
                                                            const CIndexOptions& options,
                                                            CLoadProgress* progress) {
    std::shared_ptr<CPositionIndex> index(new CPositionIndex());
    index->maxPly = std::clamp(options.maxPly, 0, kMaxPlyLimit);
    const auto maxPly = static_cast<std::size_t>(index->maxPly);
    // Game numbers are 32 bits; a list longer than that is indexed as far as they go.
    std::vector<const CStoredGame*> list = ListGames(games);
    list.resize(std::min<std::size_t>(list.size(), UINT32_MAX));
    index->facts.resize(list.size());

    // About a thousand positions a bucket, but never more than 8192 buckets: the fill writes to
    // every bucket at once, and more places than that leave the processor's caches (a million
    // games then take 4 times as long). A lookup walks its bucket: about 5,000 positions, 20
    // microseconds, for a million games. At least 6 bits below the key are left for the ply.
    std::size_t estimate = 0;
    for (const CStoredGame* game : list) {
        estimate += std::min<std::size_t>(game->moveCount, maxPly) + 1;
    }
    const int bits = std::clamp(static_cast<int>(std::bit_width(estimate / 1024)), 8, 13);
    index->bucketBits = bits;
    const std::size_t buckets = std::size_t{1} << bits;
    const auto bucketOf = [bits](CPositionKey key) {
        return static_cast<std::size_t>(key >> (64 - bits));
    };

    const unsigned threads =
        options.threads != 0 ? options.threads : std::max(1u, std::thread::hardware_concurrency());
    // Consecutive games, each part with its own count of positions per bucket.
    const std::size_t parts =
        std::clamp<std::size_t>(list.size() / kGamesPerReport, 1, threads * kPartsPerThread);
    const auto firstGame = [&](std::size_t part) { return list.size() * part / parts; };
    if (progress != nullptr) {
        progress->total = list.size();
    }
    std::atomic<bool> cancelled{false};
    // Runs replay(game, bucket counts of its part) over every game, part by part; false when
    // the build was cancelled. Reports its games on `counter`.
    const auto replayAll = [&](std::vector<std::vector<std::uint64_t>>& counts,
                               std::atomic<std::uint64_t> CLoadProgress::*counter, auto&& replay) {
        RunTasks(threads, parts, [&](std::size_t part) {
            if (progress != nullptr && progress->Cancelled()) {
                cancelled = true;
            }
            std::vector<std::uint64_t>& bucketCounts = counts[part];
            for (std::size_t g = firstGame(part); g < firstGame(part + 1) && !cancelled; ++g) {
                replay(g, bucketCounts);
                if (progress != nullptr && (g + 1) % kGamesPerReport == 0) {
                    (progress->*counter) += kGamesPerReport;
                    progress->Notify();
                    cancelled = cancelled || progress->Cancelled();
                }
            }
        });
        return !cancelled;
    };

    // How many positions each part puts in each bucket.
    std::vector<std::vector<std::uint64_t>> counts(parts, std::vector<std::uint64_t>(buckets, 0));
    const bool counted = replayAll(
        counts, &CLoadProgress::read, [&](std::size_t g, std::vector<std::uint64_t>& count) {
            index->facts[g] = CGameFacts::Of(*list[g]);
            ForEachPosition(*list[g], maxPly, [&](CPositionKey key, std::size_t, CPackedMove) {
                ++count[bucketOf(key)];
            });
        });
    if (!counted) {
        return nullptr;
    }

    // Each part fills its own stretch of each bucket, the parts in list order: a bucket holds its
    // positions in list order, and a game's visits in the order of their plies.
    index->bucketStarts.assign(buckets + 1, 0);
    std::uint64_t total = 0;
    for (std::size_t b = 0; b < buckets; ++b) {
        index->bucketStarts[b] = total;
        for (std::vector<std::uint64_t>& count : counts) {
            total += std::exchange(count[b], total);
        }
    }
    index->bucketStarts[buckets] = total;
    index->entries.resize(total);
    CEntry* const entries = index->entries.data();
    const bool filled = replayAll(
        counts, &CLoadProgress::parsed, [&](std::size_t g, std::vector<std::uint64_t>& cursor) {
            ForEachPosition(*list[g], maxPly,
                            [&](CPositionKey key, std::size_t ply, CPackedMove next) {
                                entries[cursor[bucketOf(key)]++] = {
                                    key << bits | ply, static_cast<std::uint32_t>(g), next};
                            });
        });
    if (!filled) {
        return nullptr;
    }
    counts.clear();

    if (progress != nullptr) {
        progress->read = list.size();
        progress->parsed = list.size();
        progress->Notify();
    }
    return index;
}
