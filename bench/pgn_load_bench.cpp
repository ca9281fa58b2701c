// Times CPGNReader::Load on generated PGN files of about 1, 10 and 100 MB and reports the
// throughput and the peak memory of each load.
//
//   pgn_load_bench                  the three sizes, each loaded in a child process of its own
//   pgn_load_bench --sizes 1,10     other sizes, in MB
//   pgn_load_bench --check [BYTES]  reads a generated text (about 200 KB) and fails unless every
//                                   game was read with all its moves
//   pgn_load_bench --write FILE MB  writes the generated text of that size, for profiling
//   pgn_load_bench --load FILE RUNS child mode: loads FILE RUNS times, prints its figures
//
// A child process per size keeps the peak resident size (VmHWM) of one load apart from the
// generation and from the other sizes.

#include "bench/MasterGames.h"
#include "bench/PgnTextGenerator.h"
#include "common/GeneralException.h"
#include "pgn/PGNReader.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr std::uint64_t seed = 20240611;
constexpr double megabyte = 1e6;

// Peak resident set size of this process so far, in bytes (0 when unknown).
long long PeakResidentBytes() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmHWM:", 0) == 0) {
            return std::atoll(line.c_str() + 6) * 1024;
        }
    }
    return 0;
}

// Writes generated games to `path` until it holds at least `bytes`; returns the game count.
int WriteGames(const std::string& path, long long bytes) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        std::perror(path.c_str());
        std::exit(1);
    }
    CPgnTextGenerator generator(seed);
    std::string chunk;
    long long written = 0;
    int games = 0;
    while (written < bytes) {
        chunk.clear();
        while (chunk.size() < (1 << 16)) {
            generator.AppendGame(chunk);
            ++games;
        }
        if (std::fwrite(chunk.data(), 1, chunk.size(), file) != chunk.size()) {
            std::perror(path.c_str());
            std::exit(1);
        }
        written += static_cast<long long>(chunk.size());
    }
    std::fclose(file);
    return games;
}

// Child mode: prints "games G dropped D baseline B peak P runs W1 C1 W2 C2 ...", the wall and
// processor seconds of each run.
int RunLoads(const std::string& path, int runs) {
    const long long baseline = PeakResidentBytes();
    std::vector<double> seconds;
    int games = 0;
    std::size_t dropped = 0;
    for (int run = 0; run < runs; ++run) {
        CPGNReader reader;
        const std::clock_t cpuStart = std::clock();
        const auto start = std::chrono::steady_clock::now();
        try {
            reader.Load(path);
        } catch (const CGeneralException& e) {
            std::fprintf(stderr, "%s: %s\n", path.c_str(), e.GetMessage().c_str());
            return 1;
        }
        const auto stop = std::chrono::steady_clock::now();
        const std::clock_t cpuStop = std::clock();
        seconds.push_back(std::chrono::duration<double>(stop - start).count());
        seconds.push_back(static_cast<double>(cpuStop - cpuStart) / CLOCKS_PER_SEC);
        games = reader.GamesCount();
        dropped = reader.LastLoadReport().dropped.size();
    }
    std::printf("games %d dropped %zu baseline %lld peak %lld runs", games, dropped, baseline,
                PeakResidentBytes());
    for (const double s : seconds) {
        std::printf(" %.6f", s);
    }
    std::printf("\n");
    return 0;
}

struct CSizeFigures {
    long long bytes = 0;
    int games = 0;
    std::size_t dropped = 0;
    double seconds = 0;    // the median of the runs' wall times
    double cpuSeconds = 0; // the median of their processor times
    long long peak = 0;
    long long baseline = 0;
};

// Runs this program in child mode on `path` and reads its figures.
bool MeasureInChild(const std::string& path, int runs, CSizeFigures& figures) {
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0) {
        std::perror("pipe");
        return false;
    }
    const std::string runsText = std::to_string(runs);
    const pid_t child = fork();
    if (child < 0) {
        std::perror("fork");
        return false;
    }
    if (child == 0) {
        dup2(pipeEnds[1], STDOUT_FILENO);
        close(pipeEnds[0]);
        close(pipeEnds[1]);
        execl("/proc/self/exe", "pgn_load_bench", "--load", path.c_str(), runsText.c_str(),
              static_cast<char*>(nullptr));
        std::perror("exec");
        _exit(127);
    }
    close(pipeEnds[1]);
    std::string output;
    char buffer[512];
    ssize_t got = 0;
    while ((got = read(pipeEnds[0], buffer, sizeof buffer)) > 0) {
        output.append(buffer, static_cast<std::size_t>(got));
    }
    close(pipeEnds[0]);
    int status = 0;
    waitpid(child, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        return false;
    }

    std::istringstream in(output);
    std::string word;
    std::vector<double> seconds;
    std::vector<double> cpuSeconds;
    in >> word >> figures.games >> word >> figures.dropped >> word >> figures.baseline >> word >>
        figures.peak >> word;
    for (double wall = 0, cpu = 0; in >> wall >> cpu;) {
        seconds.push_back(wall);
        cpuSeconds.push_back(cpu);
    }
    if (seconds.empty()) {
        return false;
    }
    std::sort(seconds.begin(), seconds.end());
    std::sort(cpuSeconds.begin(), cpuSeconds.end());
    figures.seconds = seconds[seconds.size() / 2];
    figures.cpuSeconds = cpuSeconds[cpuSeconds.size() / 2];
    return true;
}

int RunBenchmark(const std::vector<int>& sizesMb) {
    const std::string folderPattern =
        (std::filesystem::temp_directory_path() / "tavrin-bench-XXXXXX").string();
    std::vector<char> pattern(folderPattern.begin(), folderPattern.end());
    pattern.push_back('\0');
    if (mkdtemp(pattern.data()) == nullptr) {
        std::perror("mkdtemp");
        return 1;
    }
    const std::filesystem::path folder(pattern.data());

    // Processor time stands beside the wall time because the machine may be shared. peak/file
    // counts the whole process; the last column leaves out what it held before loading.
    std::printf("%8s %12s %8s %9s %8s %10s %9s %9s %9s %10s %16s\n", "size", "bytes", "games",
                "seconds", "MB/s", "games/s", "cpu s", "cpu MB/s", "peak MB", "peak/file",
                "(peak-base)/file");
    std::vector<CSizeFigures> all;
    bool ok = true;
    for (const int mb : sizesMb) {
        const std::string path = (folder / ("games-" + std::to_string(mb) + "mb.pgn")).string();
        const int written = WriteGames(path, static_cast<long long>(mb) * 1000 * 1000);
        CSizeFigures figures;
        figures.bytes = static_cast<long long>(std::filesystem::file_size(path));
        if (!MeasureInChild(path, mb >= 100 ? 1 : 3, figures)) {
            std::fprintf(stderr, "loading %s failed\n", path.c_str());
            ok = false;
            break;
        }
        std::filesystem::remove(path);
        if (figures.games != written || figures.dropped != 0) {
            std::fprintf(stderr, "%d MB: %d games written, %d read, %zu dropped\n", mb, written,
                         figures.games, figures.dropped);
            ok = false;
        }
        const auto bytes = static_cast<double>(figures.bytes);
        std::printf("%5d MB %12lld %8d %9.3f %8.1f %10.0f %9.3f %9.1f %9.1f %10.2f %16.2f\n", mb,
                    figures.bytes, figures.games, figures.seconds,
                    bytes / megabyte / figures.seconds, figures.games / figures.seconds,
                    figures.cpuSeconds, bytes / megabyte / figures.cpuSeconds,
                    static_cast<double>(figures.peak) / megabyte,
                    static_cast<double>(figures.peak) / bytes,
                    static_cast<double>(figures.peak - figures.baseline) / bytes);
        std::fflush(stdout);
        all.push_back(figures);
    }
    std::filesystem::remove_all(folder);
    if (!all.empty()) {
        std::printf("process baseline before loading: %.1f MB\n",
                    static_cast<double>(all.front().baseline) / megabyte);
    }
    for (std::size_t i = 0; i + 1 < all.size(); ++i) {
        if (sizesMb[i + 1] == 10 * sizesMb[i]) {
            std::printf("time(%d MB) / time(%d MB) = %.2f (processor time: %.2f)\n", sizesMb[i + 1],
                        sizesMb[i], all[i + 1].seconds / all[i].seconds,
                        all[i + 1].cpuSeconds / all[i].cpuSeconds);
        }
    }
    std::printf("goals: >= 100 MB/s, time ratio for 10x the size <= 11, peak < 5x file size\n");
    return ok ? 0 : 1;
}

// Reads a generated text from memory and checks that every game came through whole.
int RunCheck(long long bytes) {
    CPgnTextGenerator generator(seed);
    std::string text;
    while (static_cast<long long>(text.size()) < bytes) {
        generator.AppendGame(text);
    }
    CPGNReader reader;
    try {
        reader.LoadText(text);
    } catch (const CGeneralException& e) {
        std::fprintf(stderr, "load failed: %s\n", e.GetMessage().c_str());
        return 1;
    }
    const std::vector<int>& masters = generator.MastersMade();
    const CLoadReport report = reader.LastLoadReport();
    int failures = 0;
    for (const CDroppedGame& dropped : report.dropped) {
        const bool known =
            dropped.ordinal >= 0 && dropped.ordinal < static_cast<int>(masters.size());
        const CMasterGame* master =
            known ? &masterGames[static_cast<std::size_t>(masters[dropped.ordinal])] : nullptr;
        std::fprintf(stderr, "game %d (%s - %s) dropped: %s\n", dropped.ordinal,
                     master ? master->white : "?", master ? master->black : "?",
                     dropped.message.c_str());
        ++failures;
    }
    const int count = static_cast<int>(masters.size());
    if (report.gameTexts != count || reader.GamesCount() != count) {
        std::fprintf(stderr, "%d games written, %d game texts found, %d read\n", count,
                     report.gameTexts, reader.GamesCount());
        return 1;
    }
    for (int i = 0; i < count; ++i) {
        const CMasterGame& master = masterGames[static_cast<std::size_t>(masters[i])];
        const std::string_view moves = master.moves;
        const int plies = static_cast<int>(std::count(moves.begin(), moves.end(), ' ')) + 1;
        const CChessGameData game = reader.GetGameData(i);
        if (game.MovesCount() != plies || game.GetWhite() != master.white ||
            game.GetEvent() != master.event) {
            std::fprintf(stderr, "game %d (%s - %s): %d moves read, %d written\n", i, master.white,
                         master.black, game.MovesCount(), plies);
            ++failures;
        }
    }
    std::printf("%zu bytes, %d games, %d masters, %d failures\n", text.size(), count,
                static_cast<int>(masterGames.size()), failures);
    return failures == 0 ? 0 : 1;
}

std::vector<int> ParseSizes(const std::string& list) {
    std::vector<int> sizes;
    std::istringstream in(list);
    std::string item;
    while (std::getline(in, item, ',')) {
        const int mb = std::atoi(item.c_str());
        if (mb <= 0 || mb > 1000) {
            return {};
        }
        sizes.push_back(mb);
    }
    return sizes;
}

int Usage() {
    std::fprintf(stderr, "usage: pgn_load_bench [--sizes MB,MB,...] | --check [BYTES] | "
                         "--write FILE MB | --load FILE RUNS\n");
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty()) {
        return RunBenchmark({1, 10, 100});
    }
    if (args[0] == "--sizes" && args.size() == 2) {
        const std::vector<int> sizes = ParseSizes(args[1]);
        return sizes.empty() ? Usage() : RunBenchmark(sizes);
    }
    if (args[0] == "--check" && args.size() <= 2) {
        const long long bytes = args.size() == 2 ? std::atoll(args[1].c_str()) : 200 * 1000;
        return bytes > 0 ? RunCheck(bytes) : Usage();
    }
    if (args[0] == "--write" && args.size() == 3) {
        const std::vector<int> sizes = ParseSizes(args[2]);
        if (sizes.size() != 1) {
            return Usage();
        }
        std::printf("%d games\n", WriteGames(args[1], sizes[0] * 1000LL * 1000));
        return 0;
    }
    if (args[0] == "--load" && args.size() == 3) {
        const int runs = std::atoi(args[2].c_str());
        return runs > 0 ? RunLoads(args[1], runs) : Usage();
    }
    return Usage();
}
