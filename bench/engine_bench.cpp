// engine_bench [PGN] [--nodes N] [--steps N]: the engine beside the board, on one real game of
// 40 moves (the first of PGN, by default /work/data/gnuchess-book-1.02.pgn, else the samples).
// Live analysis: the time from a position being given to its first line, median and maximum
// over the steps (each position analysed 300 ms, as a user stepping through a game). Whole-game
// analysis at N nodes a position (default 1,000,000): its time, and its ratio to the sum of the
// engine's own search times (what the program adds). The engine is the settings' default.

#include "common/GeneralException.h"
#include "engine/GameAnalysis.h"
#include "engine/LiveAnalysis.h"
#include "pgn/FenParser.h"
#include "pgn/PGNReader.h"
#include "platform/qt/QtChildProcess.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double MsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// The first game of 40 moves (79 or 80 plies) of the file.
bool FindGame(const std::string& path, CEnginePosition& game, std::string& title) {
    CPGNReader reader;
    reader.Load(path);
    for (int i = 0; i < reader.GamesCount(); ++i) {
        const CChessGameData data = reader.GetGameData(i);
        if (data.MovesCount() == 79 || data.MovesCount() == 80) {
            game.start = StartPosition(data.GetStart());
            for (int m = 0; m < data.MovesCount(); ++m) {
                game.moves.push_back(data.GetMove(m));
            }
            title = reader.PrepareGameTitle(i);
            return true;
        }
    }
    return false;
}

// Live analysis stepping through the game; prints the times to the first line.
void MeasureFirstLines(IChildProcessFactory& factory, const CEnginePosition& game, int steps) {
    std::mutex mutex;
    std::condition_variable arrived;
    std::uint64_t firstLineOf = 0; // the latest id whose first line has come
    std::string error;
    CLiveAnalysis live(factory, [&](const CEngineEvent& event) {
        const std::lock_guard lock(mutex);
        if (event.kind == CEngineEvent::EKind::Lines && !event.lines.empty()) {
            firstLineOf = std::max(firstLineOf, event.positionId);
        } else if (event.kind == CEngineEvent::EKind::Error) {
            error = event.text;
        }
        arrived.notify_all();
    });
    live.SwitchOn();
    // The engine's start is not a step: the first position starts it.
    live.Analyse(1000, {game.start, {}});
    {
        std::unique_lock lock(mutex);
        arrived.wait(lock, [&] { return firstLineOf == 1000 || !error.empty(); });
    }
    std::vector<double> times;
    for (int step = 1; step <= steps && error.empty(); ++step) {
        CEnginePosition position{game.start, {}};
        const std::size_t plies =
            std::min<std::size_t>(static_cast<std::size_t>(step), game.moves.size());
        position.moves.assign(game.moves.begin(), game.moves.begin() + static_cast<long>(plies));
        const auto given = Clock::now();
        live.Analyse(1000 + static_cast<std::uint64_t>(step), std::move(position));
        std::unique_lock lock(mutex);
        arrived.wait(lock, [&] {
            return firstLineOf == 1000 + static_cast<std::uint64_t>(step) || !error.empty();
        });
        times.push_back(MsSince(given));
        lock.unlock();
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
    }
    if (!error.empty()) {
        std::printf("engine failed: %s\n", error.c_str());
        std::exit(1);
    }
    std::sort(times.begin(), times.end());
    std::printf("position to first line: median %.1f ms, max %.1f ms over %zu steps\n",
                times[times.size() / 2], times.back(), times.size());
}

void MeasureWholeGame(IChildProcessFactory& factory, const CEnginePosition& game,
                      std::int64_t nodes) {
    CUciEngine engine(factory);
    CEngineSettings settings = CEngineSettings::Defaults();
    settings.lines = 1;
    engine.Start(settings);
    engine.NewGame();
    CAnalysisBudget budget;
    budget.nodes = nodes;
    const auto start = Clock::now();
    const std::vector<CPositionAnalysis> positions =
        AnalysePositions(engine, game, budget, nullptr, nullptr);
    const double wall = MsSince(start);
    double engineMs = 0;
    for (const CPositionAnalysis& position : positions) {
        engineMs += static_cast<double>(position.engineTimeMs);
    }
    std::printf("whole game: %zu positions at %lld nodes (%d threads) in %.0f ms; the engine's "
                "own searches %.0f ms; ratio %.3f\n",
                positions.size(), static_cast<long long>(nodes), settings.threads, wall, engineMs,
                wall / engineMs);
}

} // namespace

int main(int argc, char** argv) {
    std::string path = "/work/data/gnuchess-book-1.02.pgn";
    std::int64_t nodes = 1000000;
    int steps = 50;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--nodes" && i + 1 < argc) {
            nodes = std::atoll(argv[++i]);
        } else if (arg == "--steps" && i + 1 < argc) {
            steps = std::atoi(argv[++i]);
        } else {
            path = arg;
        }
    }
    if (!std::filesystem::exists(path)) {
        path = "samples/famous_games.pgn";
    }
    CEnginePosition game;
    std::string title;
    try {
        if (!FindGame(path, game, title)) {
            std::printf("%s holds no game of 40 moves\n", path.c_str());
            return 1;
        }
        std::printf("game: %s (%zu plies) from %s\n", title.c_str(), game.moves.size(),
                    path.c_str());
        CQtChildProcessFactory factory;
        MeasureFirstLines(factory, game, steps);
        MeasureWholeGame(factory, game, nodes);
    } catch (const CGeneralException& e) {
        std::printf("%s\n", e.GetMessage().c_str());
        return 1;
    }
    return 0;
}
