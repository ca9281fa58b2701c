#include "openings/GameOpenings.h"

#include "common/GeneralException.h"
#include "common/LoadProgress.h"
#include "openings/OpeningsExceptions.h"

#include <algorithm>
#include <atomic>
#include <thread>

namespace {

// Games a thread takes at a time, and between two looks at the cancel flag.
constexpr std::size_t kGamesPerTask = 2048;

// The last named position of a line of `count` moves, move i being moveAt(i).
template <class MoveAt>
COpeningMark Classify(const COpeningBook& book, CKeyedPosition& position, std::size_t count,
                      MoveAt&& moveAt) {
    COpeningMark mark;
    for (std::size_t ply = 0;; ++ply) {
        if (!book.MayReachNamed(position.Signature())) {
            break;
        }
        const COpeningBook::CEntryIndex entry = book.Find(position.Key());
        if (entry != COpeningBook::kNone) {
            mark = {entry, static_cast<std::uint16_t>(std::min<std::size_t>(ply, 0xFFFF))};
        }
        if (ply == count) {
            break;
        }
        try {
            position.Play(moveAt(ply));
        } catch (const COpeningsException&) {
            break;
        }
    }
    return mark;
}

} // namespace

COpeningMark ClassifyLine(const COpeningBook& book, CKeyedPosition start,
                          std::span<const CMove> moves) {
    return Classify(book, start, moves.size(), [&](std::size_t i) { return moves[i]; });
}

COpeningMark ClassifyGame(const COpeningBook& book, const CStoredGame& game) {
    CKeyedPosition position;
    try {
        position = CKeyedPosition::Start(game.Tag(kStart));
    } catch (const CGeneralException&) {
        return {}; // the reader took the FEN; a game it did not take has no opening
    }
    return Classify(book, position, game.moveCount,
                    [&](std::size_t i) { return UnpackMove(game.moves[i]); });
}

std::optional<std::vector<COpeningMark>>
ClassifyGames(const COpeningBook& book,
              const std::vector<std::shared_ptr<const CGameBatch>>& batches, unsigned threads,
              const CLoadProgress* progress) {
    // (batch, first game) of each task, in list order.
    struct CTask {
        const CGameBatch* batch;
        std::size_t first;
        std::size_t mark;
    };
    std::vector<CTask> tasks;
    std::size_t total = 0;
    for (const std::shared_ptr<const CGameBatch>& batch : batches) {
        for (std::size_t first = 0; batch && first < batch->Size(); first += kGamesPerTask) {
            tasks.push_back({batch.get(), first, total + first});
        }
        total += batch ? batch->Size() : 0;
    }
    std::vector<COpeningMark> marks(total);
    std::atomic<std::size_t> next{0};
    std::atomic<bool> stopped{false};
    const auto work = [&] {
        for (std::size_t t = next++; t < tasks.size(); t = next++) {
            if (progress != nullptr && progress->Cancelled()) {
                stopped = true;
                return;
            }
            const CTask& task = tasks[t];
            const std::size_t end = std::min(task.batch->Size(), task.first + kGamesPerTask);
            for (std::size_t i = task.first; i < end; ++i) {
                marks[task.mark + i - task.first] = ClassifyGame(book, task.batch->Game(i));
            }
        }
    };
    if (threads == 0) {
        threads = std::max(1u, std::thread::hardware_concurrency());
    }
    threads = static_cast<unsigned>(std::min<std::size_t>(threads, tasks.size()));
    std::vector<std::jthread> helpers;
    for (unsigned i = 1; i < threads; ++i) {
        helpers.emplace_back(work);
    }
    work();
    helpers.clear();
    if (stopped) {
        return std::nullopt;
    }
    return marks;
}
