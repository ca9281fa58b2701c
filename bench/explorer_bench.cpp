// Times the openings library on a real database and on a generated one of a million games:
// the classification of every game, the position index's build with its memory, then for 100
// positions drawn from the games (a random game, a random ply up to the index's last) the
// explorer's figures over all games and over a fifth of them (as for the games table's search
// results), and the position filter; then the games table's side on the interface thread: the
// position filter applied to a table of all games, the sort by opening and a search that finds
// opening names. Prints medians and maxima; asserts nothing.
//
//   explorer_bench [FILE] [--generated N]
//       FILE defaults to /work/data/gnuchess-book-1.02.pgn (skipped when missing); N to
//       1000000 (0 skips the generated database)

#include "bench/PgnTextGenerator.h"
#include "bench/RandomGames.h"
#include "common/GeneralException.h"
#include "common/LoadProgress.h"
#include "gametable/GameTable.h"
#include "openings/GameOpenings.h"
#include "openings/ListOpenings.h"
#include "openings/OpeningsFolder.h"
#include "openings/PositionIndex.h"
#include "openings/PositionScanner.h"
#include "pgn/PGNReader.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double MillisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// A figure of /proc/self/status in MB ("VmRSS", "VmHWM").
double StatusMegabytes(const std::string& name) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind(name + ":", 0) == 0) {
            return std::atof(line.c_str() + name.size() + 1) / 1024.0;
        }
    }
    return 0;
}

// Makes VmHWM start again from the present size.
void ResetPeak() {
    std::ofstream("/proc/self/clear_refs") << "5";
}

std::string LoadAverage() {
    std::ifstream file("/proc/loadavg");
    std::string one, five, fifteen;
    file >> one >> five >> fifteen;
    return one + " " + five + " " + fifteen;
}

struct CTimes {
    std::vector<double> ms;
    void Print(const char* what) {
        std::sort(ms.begin(), ms.end());
        std::printf("  %-34s median %8.3f ms  max %8.3f ms\n", what, ms[ms.size() / 2], ms.back());
    }
};

// The games table as the window holds it, with the games' openings: the filter by position for
// each of `positions` (the index's lookup included), the sort by the Opening column and a
// search for an opening's name.
void MeasureTable(const CGameListSnapshot& games, const COpeningBook& book,
                  const std::vector<COpeningMark>& marks, const CPositionIndex& index,
                  const std::vector<CKeyedPosition>& positions) {
    CGameTable table;
    table.SetOpenings(std::make_shared<const CListOpenings>(
        std::shared_ptr<const COpeningBook>(&book, [](const COpeningBook*) {}), nullptr,
        EntriesOf(marks)));
    table.SetGames(std::make_shared<const CGameListSnapshot>(games));
    CTimes filter;
    for (const CKeyedPosition& position : positions) {
        const Clock::time_point start = Clock::now();
        table.SetPositionFilter(index.GamesReaching(position.Key()));
        filter.ms.push_back(MillisecondsSince(start));
    }
    Clock::time_point start = Clock::now();
    table.SetPositionFilter(index.GamesReaching(CKeyedPosition().Key()));
    const double initialMs = MillisecondsSince(start);
    filter.Print("table filtered by position");
    start = Clock::now();
    table.SetPositionFilter(std::nullopt);
    table.SortBy(kColumnOpening, false);
    const double sortMs = MillisecondsSince(start);
    start = Clock::now();
    table.SetFilter("sicilian najdorf");
    std::printf("  table: initial position %.2f ms, sort by opening %.1f ms, search \"sicilian "
                "najdorf\" %.1f ms (%zu games)\n",
                initialMs, sortMs, MillisecondsSince(start), table.RowCount());
}

void Measure(const char* name, const CGameListSnapshot& games, const COpeningBook& book) {
    std::printf("%s: %zu games (load average %s)\n", name, games.Size(), LoadAverage().c_str());

    Clock::time_point start = Clock::now();
    const auto marks = ClassifyGames(book, games.Batches());
    const double classifyMs = MillisecondsSince(start);
    const auto named = std::count_if(marks->begin(), marks->end(),
                                     [](const COpeningMark& mark) { return mark.Named(); });
    std::printf(
        "  classification %8.1f ms on %u threads, %zu of %zu games named, %zu bytes a game\n",
        classifyMs, std::thread::hardware_concurrency(), static_cast<std::size_t>(named),
        marks->size(), sizeof(COpeningMark));

    const double before = StatusMegabytes("VmRSS");
    ResetPeak();
    start = Clock::now();
    CLoadProgress progress;
    const std::shared_ptr<const CPositionIndex> index = CPositionIndex::Build(games, {}, &progress);
    const double buildMs = MillisecondsSince(start);
    const double after = StatusMegabytes("VmRSS");
    const double peak = StatusMegabytes("VmHWM");
    std::printf("  index build    %8.1f ms on %u threads: %zu positions up to ply %d\n", buildMs,
                std::thread::hardware_concurrency(), index->PositionCount(), index->MaxPly());
    std::printf("  index memory   %8.1f MB, %.2f bytes a position (resident +%.1f MB, peak of the "
                "build +%.1f MB)\n",
                static_cast<double>(index->MemoryBytes()) / 1e6,
                static_cast<double>(index->MemoryBytes()) /
                    static_cast<double>(index->PositionCount()),
                after - before, peak - before);

    // 100 positions drawn from the games, and a fifth of the games as search results.
    CBenchRandom random(7);
    std::vector<CKeyedPosition> positions;
    while (positions.size() < 100) {
        const CStoredGame& game = games.Game(static_cast<std::size_t>(random.Below(games.Size())));
        const int last = std::min<int>(static_cast<int>(game.moveCount), index->MaxPly());
        const int ply = random.Below(static_cast<std::size_t>(last) + 1);
        CKeyedPosition position = CKeyedPosition::Start(game.Tag(kStart));
        for (int i = 0; i < ply; ++i) {
            position.Play(UnpackMove(game.moves[i]));
        }
        positions.push_back(position);
    }
    std::vector<std::uint32_t> found;
    for (std::uint32_t g = 0; g < games.Size(); ++g) {
        if (random.Chance(20)) {
            found.push_back(g);
        }
    }
    start = Clock::now();
    const CGameSubset subset(found, games.Size());
    std::printf("  subset of %zu games made in %.2f ms\n", subset.Size(), MillisecondsSince(start));

    CTimes all, some, filter;
    std::vector<std::uint32_t> reached;
    for (const CKeyedPosition& position : positions) {
        start = Clock::now();
        const CExplorerCounts counts = index->Explore(position);
        all.ms.push_back(MillisecondsSince(start));
        reached.push_back(counts.games);
        start = Clock::now();
        index->Explore(position, &subset);
        some.ms.push_back(MillisecondsSince(start));
        start = Clock::now();
        index->GamesReaching(position.Key());
        filter.ms.push_back(MillisecondsSince(start));
    }
    std::sort(reached.begin(), reached.end());
    std::printf("  games reaching the 100 positions: median %u, max %u\n", reached[50],
                reached.back());
    all.Print("explorer update, all games");
    some.Print("explorer update, a fifth");
    filter.Print("position filter");

    const CKeyedPosition initial;
    start = Clock::now();
    const CExplorerCounts counts = index->Explore(initial);
    const double initialMs = MillisecondsSince(start);
    start = Clock::now();
    index->GamesReaching(initial.Key());
    std::printf("  the initial position (%u games, %zu moves): explorer %.2f ms, filter %.2f ms\n",
                counts.games, counts.moves.size(), initialMs, MillisecondsSince(start));

    CTimes scans;
    for (std::size_t i = 0; i < 5; ++i) {
        start = Clock::now();
        CPositionScanner scanner(positions[i]);
        scanner.Add(games);
        scanner.Result();
        scans.ms.push_back(MillisecondsSince(start));
    }
    scans.Print("scan without index (5 positions)");
    MeasureTable(games, book, *marks, *index, positions);
}

} // namespace

int main(int argc, char** argv) {
    std::string file = "/work/data/gnuchess-book-1.02.pgn";
    std::size_t generated = 1000000;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--generated" && i + 1 < argc) {
            generated = std::strtoull(argv[++i], nullptr, 10);
        } else {
            file = arg;
        }
    }
    try {
        Clock::time_point start = Clock::now();
        const COpeningBook book = COpeningBook::Load(OpeningsFolder());
        std::printf("opening book: %zu lines read in %.1f ms\n", book.Size(),
                    MillisecondsSince(start));

        if (std::filesystem::exists(file)) {
            CPGNReader reader;
            start = Clock::now();
            reader.Load(file);
            std::printf("%s read in %.0f ms\n", file.c_str(), MillisecondsSince(start));
            Measure("real file", *reader.Games(), book);
        } else {
            std::printf("%s not found: the real file is skipped\n", file.c_str());
        }
        if (generated > 0) {
            start = Clock::now();
            const CGameListSnapshot games(
                CGameListSnapshot(),
                MakeRandomGames(generated, 20240611, std::thread::hardware_concurrency()));
            std::printf("generated in %.0f ms\n", MillisecondsSince(start));
            Measure("generated database", games, book);
        }
    } catch (const CGeneralException& e) {
        std::fprintf(stderr, "explorer_bench: %s\n", e.GetMessage().c_str());
        return 1;
    }
    return 0;
}
