// Times the games table on a real PGN file: the search keys it builds, a dozen typical
// searches (one of them typed a character at a time), each column sorted both ways, a filter
// under a sort, and the table following a second load of the file. Prints milliseconds and
// result counts; asserts nothing.
//
//   game_table_bench [FILE] [--once]   default /work/data/gnuchess-book-1.02.pgn; --once loads
//                                      FILE once (for files of gigabytes)

#include "common/GeneralException.h"
#include "gametable/GameTable.h"
#include "pgn/PGNReader.h"

#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double MillisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

std::string LoadAverage() {
    std::ifstream file("/proc/loadavg");
    std::string one, five, fifteen;
    file >> one >> five >> fifteen;
    return one + " " + five + " " + fifteen;
}

// Times one keystroke: the filter and the count text, as the interface shows them.
void TimeFilter(CGameTable& table, const std::string& text) {
    const Clock::time_point start = Clock::now();
    table.SetFilter(text);
    const std::string count = table.CountText();
    const double ms = MillisecondsSince(start);
    std::printf("  %-24s %8.2f ms  %s\n", ("\"" + text + "\"").c_str(), ms, count.c_str());
}

// The list's bytes a game: records, tag ids, moves, the blocks' spare room, tag tables.
void PrintListMemory(const CGameListSnapshot& games) {
    CGameBatch::CMemory memory;
    std::size_t plies = 0;
    for (const std::shared_ptr<const CGameBatch>& batch : games.Batches()) {
        const CGameBatch::CMemory more = batch->Memory();
        memory.records += more.records;
        memory.blocks += more.blocks;
        memory.tables += more.tables;
        for (std::size_t i = 0; i < batch->Size(); ++i) {
            plies += batch->Game(i).moveCount;
        }
    }
    const auto n = static_cast<double>(std::max<std::size_t>(games.Size(), 1));
    const double ids = (kTagFields + 1) * sizeof(std::uint16_t); // and the slot
    const double moves = static_cast<double>(plies * sizeof(CPackedMove)) / n;
    std::printf(
        "list, bytes a game: records %.1f, moves %.1f (%.1f plies), tag ids and slot %.1f, block "
        "room %.1f, tag tables %.1f; all %.1f\n",
        static_cast<double>(memory.records) / n, moves, static_cast<double>(plies) / n, ids,
        static_cast<double>(memory.blocks) / n - moves - ids,
        static_cast<double>(memory.tables) / n,
        static_cast<double>(memory.records + memory.blocks + memory.tables) / n);
}

void TimeSearches(CGameTable& table) {
    const std::vector<std::string> searches = {
        "Kasparov",
        "1985",
        "Linares",
        "Karpov Kasparov",
        "Ljubojević",
        "Hübner",
        "TIMMAN",
        "zzqxj",
        "Tal 1960",
        "Olympiad 1980",
        "Moscow ch",
        "1999.05.",
        "a",
        "e",
        "Andersson Linares 19",
    };
    std::printf("searches, each from the empty text:\n");
    for (const std::string& text : searches) {
        table.SetFilter("");
        TimeFilter(table, text);
    }
    std::printf("a name typed one character at a time:\n");
    table.SetFilter("");
    const std::string name = "Polugaevsky";
    for (std::size_t length = 1; length <= name.size(); ++length) {
        TimeFilter(table, name.substr(0, length));
    }
    std::printf("and erased again:\n");
    for (std::size_t length = name.size() - 1; length > 0; --length) {
        TimeFilter(table, name.substr(0, length));
    }
    TimeFilter(table, "");
}

void TimeSorts(CGameTable& table) {
    std::printf("sorts (each column, then reversed):\n");
    for (int c = 0; c < kGameColumns; ++c) {
        const auto column = static_cast<EGameColumn>(c);
        for (int click = 0; click < 2; ++click) {
            const Clock::time_point start = Clock::now();
            table.ToggleSort(column);
            const double ms = MillisecondsSince(start);
            std::printf("  %-7s %-4s %8.2f ms  first row: %s\n",
                        std::string(GameColumnTitle(column)).c_str(), click == 0 ? "asc" : "desc",
                        ms, table.RowCount() > 0 ? table.CellText(0, column).c_str() : "-");
        }
    }
}

} // namespace

int main(int argc, char** argv) {
    const std::string path = argc > 1 ? argv[1] : "/work/data/gnuchess-book-1.02.pgn";
    const bool once = argc > 2 && std::string(argv[2]) == "--once";
    std::printf("load average before: %s\n", LoadAverage().c_str());
    CPGNReader reader;
    try {
        const Clock::time_point start = Clock::now();
        reader.Load(path);
        std::printf("load: %zu games in %.0f ms\n", reader.Games()->Size(),
                    MillisecondsSince(start));
    } catch (const CGeneralException& e) {
        std::fprintf(stderr, "%s\n", e.GetMessage().c_str());
        return 1;
    }

    PrintListMemory(*reader.Games());
    Clock::time_point start = Clock::now();
    const CGameSearchKeys keys(reader.Games());
    std::printf("search keys: %.1f ms, %zu chunks, %.1f MB (%.1f bytes a game)\n",
                MillisecondsSince(start), keys.Chunks().size(),
                static_cast<double>(keys.MemoryBytes()) / 1e6,
                static_cast<double>(keys.MemoryBytes()) / static_cast<double>(keys.Size()));

    CGameTable table;
    start = Clock::now();
    table.SetGames(reader.Games());
    std::printf("table over the list: %.1f ms\n", MillisecondsSince(start));

    TimeSearches(table);
    TimeSorts(table);

    std::printf("filters under a sort by White, descending:\n");
    table.SortBy(kColumnWhite, true);
    table.SetFilter("");
    TimeFilter(table, "Kasparov");
    TimeFilter(table, "Kasparov 1985");
    TimeFilter(table, "");

    if (once) {
        std::printf("load average after: %s\n", LoadAverage().c_str());
        return 0;
    }
    std::printf("the same file loaded again, under a sort by Date and the filter \"Karpov\":\n");
    table.SortBy(kColumnDate, false);
    table.SetFilter("Karpov");
    reader.Load(path);
    start = Clock::now();
    table.SetGames(reader.Games());
    std::printf("  extended in %.1f ms: %s, File column %s\n", MillisecondsSince(start),
                table.CountText().c_str(), table.FileColumnShown() ? "shown" : "hidden");
    start = Clock::now();
    table.SortBy(kColumnDate, false);
    std::printf("  the same sort from scratch: %.1f ms\n", MillisecondsSince(start));
    reader.Load(path);
    auto grownKeys =
        std::make_shared<const CGameSearchKeys>(reader.Games(), table.SearchKeys().get());
    start = Clock::now();
    table.SetGames(reader.Games(), std::move(grownKeys));
    std::printf("  a third load, its search keys made beforehand (on a worker): %.1f ms, %s\n",
                MillisecondsSince(start), table.CountText().c_str());
    start = Clock::now();
    table.SetGames(std::make_shared<const CGameListSnapshot>());
    std::printf("  list emptied: %.1f ms, %s\n", MillisecondsSince(start),
                table.CountText().c_str());

    std::printf("load average after: %s\n", LoadAverage().c_str());
    return 0;
}
