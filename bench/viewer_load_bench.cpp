// viewer_load_bench [FILE]: the whole viewer (window, scene, player, shell) loads a PGN file as
// a user's Ctrl+O does, and prints how long the load took, the longest time the interface thread
// went without handling its events meanwhile, how long refilling the game list and opening the
// drop-down take, and the resident memory after start and after the load. Needs a display
// (xvfb-run). By default FILE is the real database that ../shared/data/get-real-pgn.sh fetches.

#include "player/GamePlayer.h"
#include "scene/Scene.h"
#include "shell/Shell.h"
#include "support/SceneWindow.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QTimer>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>

namespace {

using Clock = std::chrono::steady_clock;

double Ms(Clock::time_point from) {
    return std::chrono::duration<double, std::milli>(Clock::now() - from).count();
}

double ResidentMB() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0) {
            return std::stod(line.substr(6)) / 1024.0;
        }
    }
    return 0.0;
}

QComboBox* GameList() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* list = widget->findChild<QComboBox*>()) {
            return list;
        }
    }
    return nullptr;
}

} // namespace

int main(int argc, char** argv) {
    const std::string path = argc > 1 ? argv[1] : "../shared/data/gnuchess-book-1.02.pgn";
    CQtApplication application(argc, argv);
    CSceneWindow view;
    CGamePlayer player(view.scene, view.chessSet);
    CShell shell(view.window->Platform(), view.scene, player);
    view.window->Platform().SetEventSink(shell);
    shell.CreateWindows();
    if (!view.WaitUntilShown() || !view.StartRendering()) {
        std::fputs("viewer_load_bench: the scene did not get ready\n", stderr);
        return 1;
    }
    RunEventLoopUntil([] { return false; }, 1000);
    const double startMB = ResidentMB();

    // The interface thread's pauses: the longest time between two turns of its event loop.
    double longestGap = 0.0;
    Clock::time_point lastTurn = Clock::now();
    QTimer ticker;
    ticker.setInterval(1);
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        longestGap = std::max(longestGap, Ms(lastTurn));
        lastTurn = Clock::now();
    });
    const Clock::time_point loadStart = Clock::now();
    shell.LoadPGNFile(path);
    lastTurn = Clock::now();
    ticker.start();
    RunEventLoopUntil([&] { return !shell.LoadRunning(); }, 600000);
    const double loadMs = Ms(loadStart);
    ticker.stop();
    const int games = player.GamesCount();
    RunEventLoopUntil([] { return false; }, 500);
    const double loadedMB = ResidentMB();

    const Clock::time_point refillStart = Clock::now();
    shell.FillGameList();
    const double refillMs = Ms(refillStart);
    QComboBox* list = GameList();
    const Clock::time_point popupStart = Clock::now();
    list->showPopup();
    RunEventLoopUntil([list] { return list->view()->isVisible(); }, 10000);
    QApplication::processEvents();
    const double popupMs = Ms(popupStart);
    list->hidePopup();

    std::printf("%s: %d games, loaded in %.0f ms; longest pause of the interface thread %.0f ms\n",
                path.c_str(), games, loadMs, longestGap);
    std::printf("game list refilled in %.1f ms, drop-down open in %.1f ms\n", refillMs, popupMs);
    std::printf("resident memory: %.0f MB after start, %.0f MB after the load (+%.0f MB)\n",
                startMB, loadedMB, loadedMB - startMB);
    shell.Shutdown();
    return 0;
}
