// big_comment_bench [MB [FOLDER]]: the whole viewer (window, scene, player, shell) loads a file it
// writes in /tmp: a game whose one comment holds MB megabytes (100 by default), between a few short
// games. It prints the resident memory before the load, after it, while the notation panel
// shows that game (its comment cut), and the peak meanwhile, each as a ratio to the game's
// text; then it clicks the comment's "more characters" link and prints the same, and the
// interface thread's longest pause, until the whole comment stands in its window. With FOLDER,
// pictures of the panel and of the comment's window are saved there. Needs a display
// (xvfb-run).

#include "bench/BenchViewer.h"
#include "notation/NotationDocument.h"

#include <QApplication>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextBrowser>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

using Clock = std::chrono::steady_clock;

// A field of /proc/self/status in MB: "VmRSS" (resident now) or "VmHWM" (the peak).
double StatusMB(const std::string& field) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind(field + ":", 0) == 0) {
            return std::stod(line.substr(field.size() + 1)) / 1024.0;
        }
    }
    return 0.0;
}

// Starts a new peak: the kernel sets VmHWM back to the resident memory of now.
void ResetPeak() {
    std::ofstream("/proc/self/clear_refs") << "5";
}

// Writes the file; returns the big game's text size in bytes.
std::size_t WriteFile(const std::filesystem::path& path, std::size_t commentBytes) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    const std::string shortGame =
        "[Event \"Short\"]\n[White \"A\"]\n[Black \"B\"]\n[Result \"1-0\"]\n\n"
        "1. e4 e5 2. Qh5 Nc6 3. Bc4 Nf6 4. Qxf7# 1-0\n\n";
    const std::string head = "[Event \"Big comment\"]\n[White \"Writer, Long\"]\n[Black \"Reader, "
                             "Patient\"]\n[Result \"*\"]\n\n1. e4 {";
    const std::string tail = "} e5 2. Nf3 {A short one.} Nc6 *\n\n";
    file << head;
    const std::string words = "The knight on f3 guards h4 and the pawn on d4 waits. ";
    std::string block;
    while (block.size() < (1 << 20)) {
        block += words;
    }
    std::size_t written = 0;
    while (written < commentBytes) {
        const std::size_t n = std::min(block.size(), commentBytes - written);
        file.write(block.data(), static_cast<std::streamsize>(n));
        written += n;
    }
    file << tail;
    for (int i = 0; i < 3; ++i) {
        file << shortGame;
    }
    return head.size() + written + tail.size();
}

template <typename Widget>
Widget* FindWidget() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* found = qobject_cast<Widget*>(widget)) {
            return found;
        }
        if (auto* found = widget->findChild<Widget*>()) {
            return found;
        }
    }
    return nullptr;
}

void Print(const char* stage, double rss, double peak, double baseMB, double textMB) {
    std::printf("%-34s resident %7.1f MB (+%6.1f, %.2fx the text), peak %7.1f MB (+%6.1f, "
                "%.2fx)\n",
                stage, rss, rss - baseMB, (rss - baseMB) / textMB, peak, peak - baseMB,
                (peak - baseMB) / textMB);
}

} // namespace

int main(int argc, char** argv) {
    const std::size_t megabytes = argc > 1 ? std::stoul(argv[1]) : 100;
    const std::filesystem::path path =
        std::filesystem::temp_directory_path() / "tavrin_big_comment_bench.pgn";
    const std::size_t textBytes = WriteFile(path, megabytes << 20);
    const double textMB = static_cast<double>(textBytes) / (1 << 20);
    std::printf("game text: %.1f MB (file %.1f MB)\n", textMB,
                static_cast<double>(std::filesystem::file_size(path)) / (1 << 20));

    CQtApplication application(argc, argv);
    CBenchViewer viewer;
    if (!viewer.Start("big_comment_bench")) {
        return 1;
    }
    CShell& shell = viewer.shell;
    RunEventLoopUntil([] { return false; }, 1000);
    const double baseMB = StatusMB("VmRSS");
    ResetPeak();
    Print("before the load", baseMB, StatusMB("VmHWM"), baseMB, textMB);

    shell.LoadPGNFile(path.string());
    RunEventLoopUntil([&] { return !shell.LoadRunning(); }, 600000);
    RunEventLoopUntil([] { return false; }, 300);
    Print("after the load", StatusMB("VmRSS"), StatusMB("VmHWM"), baseMB, textMB);

    // The first game is on show once the load ends; its annotations come from a worker.
    auto* panel = FindWidget<QTextBrowser>();
    const Clock::time_point shown = Clock::now();
    RunEventLoopUntil([&] { return panel->document()->characterCount() > 16384; }, 600000);
    RunEventLoopUntil([] { return false; }, 300);
    std::printf("comment shown cut after %.0f ms (panel: %d characters)\n",
                std::chrono::duration<double, std::milli>(Clock::now() - shown).count(),
                panel->document()->characterCount());
    Print("showing the game", StatusMB("VmRSS"), StatusMB("VmHWM"), baseMB, textMB);
    const QString pictures = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QString();
    if (!pictures.isEmpty()) {
        panel->verticalScrollBar()->setValue(panel->verticalScrollBar()->maximum());
        QApplication::processEvents();
        panel->window()->grab().save(pictures + QStringLiteral("/big_comment_panel.png"));
    }

    ResetPeak();
    double longestGap = 0.0;
    Clock::time_point lastTurn = Clock::now();
    QTimer ticker;
    ticker.setInterval(1);
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        longestGap = std::max(
            longestGap, std::chrono::duration<double, std::milli>(Clock::now() - lastTurn).count());
        lastTurn = Clock::now();
    });
    ticker.start();
    const Clock::time_point clicked = Clock::now();
    shell.OnNotationLink(kCommentLinkBase);
    QPlainTextEdit* whole = nullptr;
    const auto in = static_cast<int>(textBytes - 64 * 1024);
    RunEventLoopUntil(
        [&] {
            whole = whole != nullptr ? whole : FindWidget<QPlainTextEdit>();
            return whole != nullptr && whole->document()->characterCount() > in;
        },
        600000);
    RunEventLoopUntil([] { return false; }, 300);
    ticker.stop();
    std::printf("whole comment in its window after %.0f ms (%d characters, %d paragraphs); "
                "longest pause of the interface thread %.0f ms\n",
                std::chrono::duration<double, std::milli>(Clock::now() - clicked).count(),
                whole != nullptr ? whole->document()->characterCount() : 0,
                whole != nullptr ? whole->document()->blockCount() : 0, longestGap);
    Print("showing the whole comment", StatusMB("VmRSS"), StatusMB("VmHWM"), baseMB, textMB);
    if (!pictures.isEmpty() && whole != nullptr) {
        whole->window()->grab().save(pictures + QStringLiteral("/big_comment_window.png"));
    }

    shell.Shutdown();
    std::filesystem::remove(path);
    return 0;
}
