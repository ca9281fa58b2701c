// step_bench [--steps N]: the whole viewer (window, scene with its render thread, player,
// shell) steps through long games as the Right and Left keys do, and prints how long each step
// keeps the interface thread busy until the window has drawn it: the median, the 95th
// percentile and the longest.
// Three games, written to a temporary folder and loaded as Ctrl+O does:
//   plain      10,000 moves (20,000 half-moves) without annotations
//   commented  the same with a comment after every half-move
//   annotated  about 1 MB: glyphs, clock and evaluation commands and a comment on every move,
//              a nested variation every second move
// Then twenty Right presses 25 ms apart, and how long after the last one the window shows it.
// Needs a display (xvfb-run).

#include "bench/BenchViewer.h"
#include "resources/CommandIds.h"

#include <QApplication>
#include <QTextBrowser>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
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

// Knights out and back: the position repeats every four half-moves, so that any number of them
// is legal, and a variation given from the initial position fits before every fourth.
const char* const kCycle[4] = {"Nf3", "Nf6", "Ng1", "Ng8"};

std::string Header(const char* event) {
    return std::string("[Event \"") + event +
           "\"]\n[Site \"Bench\"]\n[Date \"2024.01.01\"]\n[Round \"1\"]\n[White \"White, W\"]\n"
           "[Black \"Black, B\"]\n[Result \"*\"]\n\n";
}

std::string LongGame(const char* event, std::size_t halfMoves, bool commented) {
    std::string text = Header(event);
    for (std::size_t ply = 0; ply < halfMoves; ++ply) {
        if (ply % 2 == 0) {
            text += std::to_string(ply / 2 + 1) + ". ";
        }
        text += kCycle[ply % 4];
        text += commented ? " {A comment on this move, as an annotator writes one.} " : " ";
        text += ply % 16 == 15 ? "\n" : "";
    }
    return text + "*\n\n";
}

std::string AnnotatedGame(std::size_t bytes) {
    std::string text = Header("Annotated") + "{Preamble.}\n";
    for (std::size_t ply = 0; text.size() < bytes; ++ply) {
        if (ply % 2 == 0) {
            text += std::to_string(ply / 2 + 1) + ". ";
        }
        text += std::string(kCycle[ply % 4]) + " $1 {[%clk 1:00:00] [%eval 0.12] A note.} ";
        if (ply % 4 == 0) {
            text += "(1. e4 e5 (1... c5 2. Nf3) 2. Nc3) ";
        }
        text += ply % 16 == 15 ? "\n" : "";
    }
    return text + "*\n\n";
}

void Write(const std::filesystem::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

// How long `act` keeps the interface thread until the window has drawn what it changed.
template <typename Act>
double TimeUntilDrawn(Act act) {
    const Clock::time_point start = Clock::now();
    act();
    QApplication::processEvents();
    return Ms(start);
}

void PrintSteps(const char* what, std::vector<double> ms) {
    std::sort(ms.begin(), ms.end());
    std::printf("  %-6s %4zu steps: median %6.2f ms, 95th percentile %6.2f ms, longest %6.2f ms\n",
                what, ms.size(), ms[ms.size() / 2], ms[ms.size() * 95 / 100], ms.back());
}

// Loads the file, chooses its first game and waits until the panel has its annotations (or a
// while for a game without); then steps `steps` times Right and as many Left, and prints both.
void BenchGame(CShell& shell, const std::filesystem::path& file, const char* name,
               const char* annotated, int steps) {
    shell.OnCommand(ids::kCloseAllGames, 0);
    const Clock::time_point start = Clock::now();
    shell.LoadPGNFile(file.string());
    RunEventLoopUntil([&] { return !shell.LoadRunning(); }, 600000);
    auto* panel = [] {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (auto* found = widget->findChild<QTextBrowser*>()) {
                return found;
            }
        }
        return static_cast<QTextBrowser*>(nullptr);
    }();
    const QString mark = QString::fromUtf8(annotated);
    RunEventLoopUntil([&] { return !mark.isEmpty() && panel->toPlainText().contains(mark); },
                      mark.isEmpty() ? 300 : 120000);
    std::printf("%s (%.1f MB): loaded and shown in %.0f ms\n", name,
                static_cast<double>(std::filesystem::file_size(file)) / 1e6, Ms(start));
    std::vector<double> forward, back;
    for (int i = 0; i < steps; ++i) {
        forward.push_back(TimeUntilDrawn([&] { shell.OnCommand(ids::kNextMove, 0); }));
    }
    for (int i = 0; i < steps; ++i) {
        back.push_back(TimeUntilDrawn([&] { shell.OnCommand(ids::kPreviousMove, 0); }));
    }
    PrintSteps("Right", forward);
    PrintSteps("Left", back);
    const double end = TimeUntilDrawn([&] { shell.OnCommand(ids::kLastPosition, 0); });
    const double home = TimeUntilDrawn([&] { shell.OnCommand(ids::kFirstPosition, 0); });
    std::printf("  End %.2f ms, Home %.2f ms\n", end, home);
    // "View > Figurines" writes the whole text anew, as a newly shown game's text is written.
    const double relaid = TimeUntilDrawn([&] { shell.OnCommand(ids::kFigurines, 0); });
    TimeUntilDrawn([&] { shell.OnCommand(ids::kFigurines, 0); });
    std::printf("  the whole text written and drawn anew (View > Figurines): %.0f ms\n", relaid);
}

// Twenty Right presses 25 ms apart, as a held key sends them: how long after the last press
// the interface thread has handled them all and drawn the result.
void BenchBurst(CShell& shell) {
    int sent = 0;
    Clock::time_point last;
    QTimer timer;
    timer.setInterval(25);
    QObject::connect(&timer, &QTimer::timeout, [&] {
        shell.OnCommand(ids::kNextMove, 0);
        last = Clock::now();
        if (++sent == 20) {
            timer.stop();
        }
    });
    const Clock::time_point start = Clock::now();
    timer.start();
    RunEventLoopUntil([&] { return sent == 20; }, 600000);
    QApplication::processEvents();
    std::printf("  20 Right presses 25 ms apart: all handled %.0f ms after the first, %.1f ms "
                "after the last\n",
                Ms(start), Ms(last));
}

} // namespace

int main(int argc, char** argv) {
    int steps = 200;
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], "--steps") == 0) {
            steps = std::max(1, std::atoi(argv[i + 1]));
        }
    }
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("step_bench_" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    Write(folder / "plain.pgn", LongGame("Plain", 20000, false));
    Write(folder / "commented.pgn", LongGame("Commented", 20000, true));
    Write(folder / "annotated.pgn", AnnotatedGame(1'000'000));

    CQtApplication application(argc, argv);
    CBenchViewer viewer;
    if (!viewer.Start("step_bench")) {
        return 1;
    }
    CSceneWindow& view = viewer.view;
    CShell& shell = viewer.shell;
    RunEventLoopUntil([] { return false; }, 500);
    std::printf("interface-thread time of a step until drawn, scene rendering on its thread:\n");
    BenchGame(shell, folder / "plain.pgn", "plain", "", steps);
    BenchGame(shell, folder / "commented.pgn", "commented", "A comment on this move", steps);
    BenchGame(shell, folder / "annotated.pgn", "annotated", "A note.", steps);
    BenchBurst(shell);
    shell.Shutdown();
    view.StopRendering();
    std::filesystem::remove_all(folder);
    return 0;
}
