// viewer_load_bench [FILE]: the whole viewer (window, scene, player, shell) loads a PGN file as
// a user's Ctrl+O does, with the games table shown, and prints how long the load took, the
// longest time the interface thread went without handling its events meanwhile, how long
// refilling the game list and opening the drop-down take, and the resident memory after start
// and after the load (MiB, and as a share of the file's bytes). Then it types into the table's
// search field and clicks each column's header twice, and prints how long each keystroke and
// click took until the table was drawn again. Needs a display (xvfb-run). By default FILE is
// the real database that ../shared/data/get-real-pgn.sh fetches.

#include "bench/BenchViewer.h"
#include "resources/CommandIds.h"
#include "scene/Scene.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>
#include <QTimer>
#include <chrono>
#include <cstdio>
#include <filesystem>
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

template <typename Widget>
Widget* FindWidget() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* found = widget->findChild<Widget*>()) {
            return found;
        }
    }
    return nullptr;
}

// How long `act` takes until the window has drawn what it changed.
template <typename Act>
double TimeUntilDrawn(Act act) {
    const Clock::time_point start = Clock::now();
    act();
    QApplication::processEvents();
    return Ms(start);
}

// Types `text` into the search field, then erases it, a key at a time; prints each key's time.
void TimeTyping(QLineEdit& field, const QString& text, QLabel* count) {
    const auto key = [&field](int code, const QString& typed) {
        QKeyEvent press(QEvent::KeyPress, code, Qt::NoModifier, typed);
        QApplication::sendEvent(&field, &press);
        QKeyEvent release(QEvent::KeyRelease, code, Qt::NoModifier, typed);
        QApplication::sendEvent(&field, &release);
    };
    std::printf("typing \"%s\" and erasing it, ms a key until drawn:\n ", qPrintable(text));
    double longest = 0.0;
    for (const QChar character : text) {
        const double ms = TimeUntilDrawn([&] { key(character.unicode(), QString(character)); });
        longest = std::max(longest, ms);
        std::printf(" %.1f", ms);
    }
    std::printf(" (%s)\n ", count != nullptr ? qPrintable(count->text()) : "");
    for (qsizetype left = text.size(); left > 0; --left) {
        const double ms = TimeUntilDrawn([&] { key(Qt::Key_Backspace, QString()); });
        longest = std::max(longest, ms);
        std::printf(" %.1f", ms);
    }
    std::printf("\n  longest %.1f ms\n", longest);
}

// Clicks each column's header twice (ascending, descending); prints each click's time.
void TimeSorting(QTableView& table) {
    QHeaderView* header = table.horizontalHeader();
    std::printf("header clicks, ms until drawn (ascending / descending):\n");
    double longest = 0.0;
    for (int column = 0; column < table.model()->columnCount({}); ++column) {
        std::printf("  %-7s",
                    qPrintable(table.model()->headerData(column, Qt::Horizontal).toString()));
        for (int click = 0; click < 2; ++click) {
            const double ms = TimeUntilDrawn([&] { emit header->sectionClicked(column); });
            longest = std::max(longest, ms);
            std::printf(" %7.1f", ms);
        }
        std::printf("\n");
    }
    std::printf("  longest %.1f ms\n", longest);
}

} // namespace

int main(int argc, char** argv) {
    const std::string path = argc > 1 ? argv[1] : "../shared/data/gnuchess-book-1.02.pgn";
    CQtApplication application(argc, argv);
    CBenchViewer viewer;
    if (!viewer.Start("viewer_load_bench")) {
        return 1;
    }
    CGamePlayer& player = viewer.player;
    CShell& shell = viewer.shell;
    RunEventLoopUntil([] { return false; }, 1000);
    const double startMB = ResidentMB();
    shell.OnCommand(ids::kGamesTable, 0);

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
    auto* list = FindWidget<QComboBox>();
    const Clock::time_point popupStart = Clock::now();
    list->showPopup();
    RunEventLoopUntil([list] { return list->view()->isVisible(); }, 10000);
    QApplication::processEvents();
    const double popupMs = Ms(popupStart);
    list->hidePopup();
    RunEventLoopUntil([] { return false; }, 500);

    std::printf("%s: %d games, loaded in %.0f ms; longest pause of the interface thread %.0f ms\n",
                path.c_str(), games, loadMs, longestGap);
    std::printf("game list refilled in %.1f ms, drop-down open in %.1f ms\n", refillMs, popupMs);
    std::error_code error;
    const auto fileBytes = static_cast<double>(std::filesystem::file_size(path, error));
    std::printf("resident memory: %.0f MiB after start, %.0f MiB after the load (+%.0f MiB): "
                "%.3f of the file (%.3f without the empty viewer)\n",
                startMB, loadedMB, loadedMB - startMB, loadedMB * 1048576.0 / fileBytes,
                (loadedMB - startMB) * 1048576.0 / fileBytes);
    QLabel* count = nullptr;
    for (QLabel* label : FindWidget<QTableView>()->parentWidget()->findChildren<QLabel*>()) {
        count = label;
    }
    for (const char* text : {"Polugaevsky", "Karpov Kasparov", "zzqxj"}) {
        TimeTyping(*FindWidget<QLineEdit>(), QString::fromUtf8(text), count);
    }
    TimeSorting(*FindWidget<QTableView>());
    shell.Shutdown();
    return 0;
}
