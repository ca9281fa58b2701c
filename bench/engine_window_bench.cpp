// engine_window_bench [PGN] [--steps N]: the engine in the whole viewer (window, scene with its
// render thread, player, shell), on the first game of 40 moves of PGN (by default
// /work/data/gnuchess-book-1.02.pgn, else the samples' first game):
// - the frame time with "Engine analysis" off and on, the position still and while the game
//   plays (each with the processor time per frame of this process: the engine's own process
//   is not counted, what it costs the renderer in a shared processor shows in the wall time);
// - the time from a step (Right) to the engine's first line shown in the panel, median and
//   maximum over N steps (default 50), each position shown 300 ms as a user stepping through.
// Needs a display (xvfb-run) and the settings' engine.

#include "bench/BenchViewer.h"
#include "common/GeneralException.h"
#include "pgn/PGNReader.h"
#include "pgn/PgnWriter.h"
#include "resources/CommandIds.h"

#include <QApplication>
#include <QTextBrowser>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double Ms(Clock::time_point from) {
    return std::chrono::duration<double, std::milli>(Clock::now() - from).count();
}

// The first game of 40 moves of `path`, written alone to `out`.
bool WriteGameOf40Moves(const std::string& path, const std::filesystem::path& out) {
    CPGNReader reader;
    reader.Load(path);
    for (int i = 0; i < reader.GamesCount(); ++i) {
        const CChessGameData game = reader.GetGameData(i);
        if (game.MovesCount() == 79 || game.MovesCount() == 80 || reader.GamesCount() < 100) {
            std::ofstream(out, std::ios::binary) << WritePgnGame(game);
            std::printf("game: %s (%d plies)\n", reader.PrepareGameTitle(i).c_str(),
                        game.MovesCount());
            return true;
        }
    }
    return false;
}

// Frames drawn for `ms` while `scene` draws back to back: wall and CPU milliseconds a frame.
void MeasureFrames(CScene& scene, const char* what, int ms) {
    const std::uint64_t first = scene.FramesDrawn();
    const Clock::time_point start = Clock::now();
    const std::clock_t cpu = std::clock();
    RunEventLoopUntil([] { return false; }, ms);
    const double frames = static_cast<double>(scene.FramesDrawn() - first);
    std::printf("  %-34s %6.1f ms/frame (CPU %6.1f ms/frame)\n", what, Ms(start) / frames,
                1000.0 * static_cast<double>(std::clock() - cpu) / CLOCKS_PER_SEC / frames);
}

void MeasureFrameTimes(CShell& shell, CScene& scene, bool analysis) {
    if (analysis) {
        shell.OnCommand(ids::kEngineAnalysis, 0);
        RunEventLoopUntil([] { return false; }, 1500); // the engine starts and reports
    }
    std::printf("frame time, analysis %s:\n", analysis ? "on" : "off");
    scene.BeginContinuousRedraw();
    MeasureFrames(scene, "still position:", 4000);
    scene.EndContinuousRedraw();
    shell.OnCommand(ids::kPlayPauseButton, 0);
    RunEventLoopUntil([] { return false; }, 300);
    MeasureFrames(scene, "playing (600 ms moves, no pause):", 6000);
    shell.OnCommand(ids::kStopButton, 0);
    if (analysis) {
        shell.OnCommand(ids::kEngineAnalysis, 0);
    }
    RunEventLoopUntil([] { return false; }, 500);
}

// The panel's engine lines, once the window shows them.
QTextBrowser* EngineLines() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* found = widget->findChild<QTextBrowser*>(QStringLiteral("EngineLines"))) {
            return found;
        }
    }
    return nullptr;
}

void MeasureFirstLines(CShell& shell, int steps) {
    QTextBrowser* lines = EngineLines();
    shell.OnCommand(ids::kFirstPosition, 0);
    shell.OnCommand(ids::kEngineAnalysis, 0);
    RunEventLoopUntil([&] { return !lines->document()->isEmpty(); }, 20000); // the start
    std::vector<double> times;
    for (int step = 0; step < steps; ++step) {
        const Clock::time_point start = Clock::now();
        shell.OnCommand(ids::kNextMove, 0);
        QApplication::processEvents(); // the notice: the old lines go
        if (!RunEventLoopUntil([&] { return !lines->document()->isEmpty(); }, 20000)) {
            std::printf("no line within 20 s\n");
            std::exit(1);
        }
        times.push_back(Ms(start));
        RunEventLoopUntil([] { return false; }, 300);
    }
    shell.OnCommand(ids::kEngineAnalysis, 0);
    std::sort(times.begin(), times.end());
    std::printf("step to first line shown: median %.1f ms, max %.1f ms over %zu steps\n",
                times[times.size() / 2], times.back(), times.size());
}

} // namespace

int main(int argc, char** argv) {
    std::string path = "/work/data/gnuchess-book-1.02.pgn";
    int steps = 50;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--steps" && i + 1 < argc) {
            steps = std::max(1, std::atoi(argv[++i]));
        } else {
            path = arg;
        }
    }
    if (!std::filesystem::exists(path)) {
        path = "samples/famous_games.pgn";
    }
    const std::filesystem::path game =
        std::filesystem::temp_directory_path() /
        ("engine_window_bench_" + std::to_string(::getpid()) + ".pgn");
    try {
        if (!WriteGameOf40Moves(path, game)) {
            std::printf("%s holds no game of 40 moves\n", path.c_str());
            return 1;
        }
    } catch (const CGeneralException& e) {
        std::printf("%s\n", e.GetMessage().c_str());
        return 1;
    }
    CQtApplication application(argc, argv);
    CBenchViewer viewer;
    if (!viewer.Start("engine_window_bench")) {
        return 1;
    }
    CSceneWindow& view = viewer.view;
    CShell& shell = viewer.shell;
    shell.LoadPGNFile(game.string());
    RunEventLoopUntil([&] { return !shell.LoadRunning(); }, 60000);
    shell.OnCommand(ids::kFirstAnimationDuration + 3, 0); // 600 ms
    shell.OnCommand(ids::kFirstPauseDuration, 0);         // 0 ms
    view.scene.BeginContinuousRedraw(); // the renderer settles over its first frames
    RunEventLoopUntil([] { return false; }, 3000);
    view.scene.EndContinuousRedraw();
    for (int round = 0; round < 2; ++round) {
        MeasureFrameTimes(shell, view.scene, false);
        MeasureFrameTimes(shell, view.scene, true);
    }
    MeasureFirstLines(shell, steps);
    shell.Shutdown();
    view.StopRendering();
    std::filesystem::remove(game);
    return 0;
}
