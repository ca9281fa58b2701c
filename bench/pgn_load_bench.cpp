// Times CPGNReader::Load on generated PGN files of about 1, 10 and 100 MB and reports the
// throughput and the peak memory of each load.
//
//   pgn_load_bench                  the three sizes, each loaded in a child process of its own
//   pgn_load_bench --sizes 1,10     other sizes, in MB
//   pgn_load_bench --check [BYTES]  reads a generated text (about 200 KB) and fails unless every
//                                   game was read with all its moves
//   pgn_load_bench --write FILE MB  writes the generated text of that size, for profiling
//   pgn_load_bench --real FILE      also the real database FILE (see get-real-pgn.sh), on one
//                                   thread and on all, beside pgn-extract when it is installed;
//                                   the environment variable TAVRIN_REAL_PGN names it too
//   pgn_load_bench --compressed FILE
//                                   FILE (by default the real database) and its copies in each
//                                   compressed format, made first: the load speed in MB/s of
//                                   decompressed text and the peak memory of each
//   pgn_load_bench --write FILE MB --bare
//                                   games without comments, variations or clocks, as real
//                                   databases hold most (about 650 bytes a game)
//   pgn_load_bench --reread FILE N  loads FILE and times reading the annotations of N games
//                                   spread over it again
//   pgn_load_bench --load FILE RUNS [THREADS]
//                                   child mode: loads FILE RUNS times, prints its figures
//
// A child process per size keeps the peak resident size (VmHWM) of one load apart from the
// generation and from the other sizes.

#include "bench/CompressedCopies.h"
#include "bench/MasterGames.h"
#include "bench/PgnTextGenerator.h"
#include "common/GeneralException.h"
#include "pgn/GameAnnotations.h"
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

// Resident set size of this process now, in bytes (0 when unknown).
long long ResidentBytes() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0) {
            return std::atoll(line.c_str() + 6) * 1024;
        }
    }
    return 0;
}

// Writes generated games to `path` until it holds at least `bytes`; returns the game count.
int WriteGames(const std::string& path, long long bytes, bool bare = false) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        std::perror(path.c_str());
        std::exit(1);
    }
    CPgnTextGenerator generator(seed, bare);
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
int RunLoads(const std::string& path, int runs, unsigned threads) {
    const long long baseline = PeakResidentBytes();
    const long long residentBefore = ResidentBytes();
    std::vector<double> seconds;
    int games = 0;
    std::size_t dropped = 0;
    long long resident = 0; // with the games of the last run listed
    for (int run = 0; run < runs; ++run) {
        CPGNReader reader;
        reader.SetParseThreads(threads);
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
        resident = ResidentBytes();
    }
    std::printf("games %d dropped %zu baseline %lld peak %lld runs", games, dropped, baseline,
                PeakResidentBytes());
    for (const double s : seconds) {
        std::printf(" %.6f", s);
    }
    std::printf("\n");
    std::fprintf(stderr, "resident with the games listed: %.1f MB (%.1f MB before loading)\n",
                 static_cast<double>(resident) / megabyte,
                 static_cast<double>(residentBefore) / megabyte);
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
bool MeasureInChild(const std::string& path, int runs, CSizeFigures& figures,
                    unsigned threads = 0) {
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0) {
        std::perror("pipe");
        return false;
    }
    const std::string runsText = std::to_string(runs);
    const std::string threadsText = std::to_string(threads);
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
              threadsText.c_str(), static_cast<char*>(nullptr));
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

void PrintRow(const std::string& label, const CSizeFigures& figures) {
    const auto bytes = static_cast<double>(figures.bytes);
    std::printf(
        "%8s %12lld %8d %9.3f %8.1f %10.0f %9.3f %9.1f %9.1f %10.2f %16.2f\n", label.c_str(),
        figures.bytes, figures.games, figures.seconds, bytes / megabyte / figures.seconds,
        figures.games / figures.seconds, figures.cpuSeconds, bytes / megabyte / figures.cpuSeconds,
        static_cast<double>(figures.peak) / megabyte, static_cast<double>(figures.peak) / bytes,
        static_cast<double>(figures.peak - figures.baseline) / bytes);
    std::fflush(stdout);
}

// The wall time of `command` run by the shell, in seconds; negative when it failed.
double TimeCommand(const std::string& command) {
    const auto start = std::chrono::steady_clock::now();
    const int status = std::system(command.c_str());
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    return status == 0 ? seconds : -1.0;
}

// The real database on one thread and on all, then pgn-extract on it in the same run.
bool MeasureRealFile(const std::string& path) {
    CSizeFigures figures;
    std::error_code error;
    figures.bytes = static_cast<long long>(std::filesystem::file_size(path, error));
    if (error) {
        std::fprintf(stderr, "%s: %s\n", path.c_str(), error.message().c_str());
        return false;
    }
    double allThreads = 0;
    for (const unsigned threads : {1u, 0u}) {
        if (!MeasureInChild(path, 3, figures, threads)) {
            std::fprintf(stderr, "loading %s failed\n", path.c_str());
            return false;
        }
        PrintRow(threads == 1 ? "real, 1t" : "real", figures);
        allThreads = figures.seconds;
    }
    const char* const extract = "/usr/games/pgn-extract";
    if (std::filesystem::exists(extract)) {
        const double seconds = TimeCommand(
            std::string(extract) + " -s -Wlalg --output /dev/null '" + path + "' 2>/dev/null");
        if (seconds > 0) {
            std::printf("pgn-extract -s -Wlalg: %.3f s; the reader is %.1f times faster\n", seconds,
                        seconds / allThreads);
        }
    }
    return true;
}

int RunBenchmark(const std::vector<int>& sizesMb, const std::string& realFile) {
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
        PrintRow(std::to_string(mb) + " MB", figures);
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
    if (ok && !realFile.empty()) {
        ok = MeasureRealFile(realFile);
    }
    std::printf("goals: >= 100 MB/s (60 on one thread), time ratio for 10x the size <= 11, peak "
                "<= 2x file size\n");
    return ok ? 0 : 1;
}

// The plain file and each compressed copy of it, loaded in the same run.
int RunCompressed(const std::string& path) {
    char pattern[] = "/tmp/tavrin-compressed-XXXXXX";
    if (mkdtemp(pattern) == nullptr) {
        std::perror("mkdtemp");
        return 1;
    }
    std::vector<CCompressedCopy> copies = WriteCompressedCopies(path, pattern);
    copies.insert(copies.begin(), {"plain", path});
    std::printf("%16s %12s %8s %9s %8s %10s %9s %9s %9s %10s %16s   (MB/s of PGN text)\n", "format",
                "PGN bytes", "games", "seconds", "MB/s", "games/s", "cpu s", "cpu MB/s", "peak MB",
                "peak/file", "(peak-base)/file");
    CSizeFigures figures;
    figures.bytes = static_cast<long long>(std::filesystem::file_size(path));
    double plainSeconds = 0;
    bool ok = true;
    for (const CCompressedCopy& copy : copies) {
        if (!MeasureInChild(copy.path, 3, figures)) {
            std::fprintf(stderr, "loading %s failed\n", copy.path.c_str());
            ok = false;
            continue;
        }
        PrintRow(copy.label, figures);
        plainSeconds = plainSeconds == 0 ? figures.seconds : plainSeconds;
        std::printf("%16s %.1f MB compressed, %.0f %% of the plain file's speed\n", "",
                    static_cast<double>(std::filesystem::file_size(copy.path)) / megabyte,
                    100.0 * plainSeconds / figures.seconds);
    }
    std::filesystem::remove_all(pattern);
    std::printf("goal: zstd at least 80 %% of the plain file's speed\n");
    return ok ? 0 : 1;
}

// Loads FILE, then reads the annotations of `count` games spread over it again, as the notation
// panel does, and prints the median and longest time of a game.
int RunReread(const std::string& path, int count) {
    CPGNReader reader;
    reader.Load(path);
    const int games = reader.GamesCount();
    std::vector<double> ms;
    for (int k = 0; k < count && games > 0; ++k) {
        const int i =
            static_cast<int>(static_cast<long long>(games - 1) * k / std::max(1, count - 1));
        const CChessGameData game = reader.GetGameData(i);
        const auto start = std::chrono::steady_clock::now();
        const CGameAnnotations annotations = ReadGameAnnotations(*reader.GameSource(i), game);
        ms.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count());
        if (!annotations.tree) {
            std::fprintf(stderr, "game %d: %s\n", i, annotations.note.c_str());
        }
    }
    std::sort(ms.begin(), ms.end());
    std::printf("%s: %d games; annotations of %zu games read again: median %.1f ms, longest %.1f "
                "ms\n",
                path.c_str(), games, ms.size(), ms.empty() ? 0.0 : ms[ms.size() / 2],
                ms.empty() ? 0.0 : ms.back());
    return 0;
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
        if (mb <= 0 || mb > 8000) {
            return {};
        }
        sizes.push_back(mb);
    }
    return sizes;
}

int Usage() {
    std::fprintf(stderr,
                 "usage: pgn_load_bench [--sizes MB,MB,...] [--real FILE] | --check "
                 "[BYTES] | --write FILE MB [--bare] | --compressed [FILE] | --load FILE RUNS "
                 "[THREADS]\n");
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    const char* const realFromEnvironment = std::getenv("TAVRIN_REAL_PGN");
    std::string realFile = realFromEnvironment != nullptr ? realFromEnvironment : "";
    if (args.size() >= 2 && args[args.size() - 2] == "--real") {
        realFile = args.back();
        args.resize(args.size() - 2);
    }
    if (args.empty()) {
        return RunBenchmark({1, 10, 100}, realFile);
    }
    if (args[0] == "--sizes" && args.size() == 2) {
        const std::vector<int> sizes = ParseSizes(args[1]);
        return sizes.empty() ? Usage() : RunBenchmark(sizes, realFile);
    }
    if (args[0] == "--check" && args.size() <= 2) {
        const long long bytes = args.size() == 2 ? std::atoll(args[1].c_str()) : 200 * 1000;
        return bytes > 0 ? RunCheck(bytes) : Usage();
    }
    if (args[0] == "--write" && (args.size() == 3 || (args.size() == 4 && args[3] == "--bare"))) {
        const std::vector<int> sizes = ParseSizes(args[2]);
        if (sizes.size() != 1) {
            return Usage();
        }
        std::printf("%d games\n", WriteGames(args[1], sizes[0] * 1000LL * 1000, args.size() == 4));
        return 0;
    }
    if (args[0] == "--reread" && args.size() == 3) {
        return RunReread(args[1], std::atoi(args[2].c_str()));
    }
    if (args[0] == "--compressed" && args.size() <= 2) {
        return RunCompressed(args.size() == 2    ? args[1]
                             : !realFile.empty() ? realFile
                                                 : "../shared/data/gnuchess-book-1.02.pgn");
    }
    if (args[0] == "--load" && (args.size() == 3 || args.size() == 4)) {
        const int runs = std::atoi(args[2].c_str());
        const int threads = args.size() == 4 ? std::atoi(args[3].c_str()) : 0;
        return runs > 0 && threads >= 0 ? RunLoads(args[1], runs, static_cast<unsigned>(threads))
                                        : Usage();
    }
    return Usage();
}
