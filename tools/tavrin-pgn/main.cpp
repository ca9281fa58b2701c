// tavrin-pgn FILE...: reads each PGN file as the viewer does and writes one JSON line per game
// text to stdout (the game read, or why it was dropped), then a summary line per file to stderr.
// --san adds each game's moves in standard algebraic notation; --threads N parses on N threads
// (by default as many as the machine has); --fens adds the FEN of every position, --analyse N
// an engine's evaluation of each at N nodes (--engine PATH chooses the engine). Exit codes: 0 all
// files read, 1 a file could not be read at all, 2 usage error, 3 (with --strict only) a game was
// dropped. --version prints the program's version. The options about openings are described in
// OpeningOptions.h. A FILE compressed with zstd, gzip or bzip2, or a zip archive of PGN files, is
// read as the viewer reads it; skipped archive entries and data that stops early are named on
// stderr, and a text that stops early counts as a dropped game for the exit code.

#include "chess/SanWriter.h"
#include "common/FileProblem.h"
#include "common/GeneralException.h"
#include "pgn/FenParser.h"
#include "pgn/PGNReader.h"
#include "resources/AppInfo.h"
#include "tools/tavrin-pgn/EngineFields.h"
#include "tools/tavrin-pgn/JsonWriter.h"
#include "tools/tavrin-pgn/OpeningOptions.h"

#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr const char* usage =
    "usage: tavrin-pgn [--quiet] [--san] [--annotations] [--openings] [--explore MOVES]\n"
    "                  [--explore-fen FEN] [--strict] [--threads N] [--fens]\n"
    "                  [--analyse NODES] [--engine PATH] FILE...\n"
    "  --quiet        print only each file's summary line\n"
    "  --san          add each game's moves in standard algebraic notation\n"
    "  --annotations  add each game's tag pairs and its main line's comments\n"
    "  --openings     add each game's opening: ECO, name and the ply that names it\n"
    "  --explore MOVES  print, instead of the games, the moves the games played after\n"
    "                 MOVES (\"1. e4 c5 2. Nf3\"), with their results\n"
    "  --explore-fen FEN  the same for the position FEN\n"
    "  --strict       exit with code 3 when a game was dropped\n"
    "  --threads N    parse on N threads (default: as many as the machine has)\n"
    "  --fens         add the FEN of the position before the first move and after each\n"
    "  --analyse N    add an engine's evaluation of each of those positions at N nodes\n"
    "  --engine PATH  the UCI engine for --analyse (default: the viewer's, else\n"
    "                 /usr/games/stockfish)\n"
    "  --version      print the version and exit\n";
constexpr std::size_t flushThreshold = 1 << 20;

bool WriteOut(std::string& out) {
    const bool ok = std::fwrite(out.data(), 1, out.size(), stdout) == out.size();
    out.clear();
    return ok;
}

// Loads one file with a fresh reader and writes its lines. Returns false when the file could
// not be read at all or stdout failed.
// What the command line asks for.
struct COptions {
    bool quiet = false;
    bool san = false;
    bool annotations = false;
    bool strict = false;
    unsigned threads = 0;
    bool fens = false;
    long long analyseNodes = 0;
    std::string engine;
    CEvalsWriter* evals = nullptr;
    COpeningOptions openings;
};

// What a file gave.
enum class EFileOutcome { kRead, kGamesDropped, kFailed };

// Exit codes, the worst outcome deciding.
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;
constexpr int kExitDropped = 3;

EFileOutcome ProcessFile(const std::string& path, const COptions& options,
                         COpeningOutput& openings) {
    CPGNReader reader;
    reader.SetParseThreads(options.threads);
    try {
        reader.Load(path);
    } catch (const CGeneralException& e) {
        // The reader's message as it stands, then what the system says of the file, if anything.
        const std::string problem = DescribeFileProblem(path);
        std::fprintf(stderr, "%s: %s%s\n", path.c_str(), e.GetMessage().c_str(),
                     problem.empty() ? "" : (" (" + problem + ")").c_str());
        return EFileOutcome::kFailed;
    }
    const CLoadReport report = reader.LastLoadReport();
    const int gamesRead = reader.GamesCount();
    const ELegacyCodePage page = report.codePage;

    bool ok = true;
    openings.AddFile(*reader.Games());
    if (!options.quiet && !openings.Exploring()) {
        // The report names the dropped ordinals; the games read fill the others, in order.
        std::string out;
        std::size_t nextDropped = 0;
        int nextGame = 0;
        for (int ordinal = 0; ordinal < report.gameTexts; ++ordinal) {
            if (nextDropped < report.dropped.size() &&
                report.dropped[nextDropped].ordinal == ordinal) {
                AppendDroppedLine(out, ordinal, report.dropped[nextDropped].message, page);
                ++nextDropped;
            } else if (nextGame < gamesRead) {
                const CChessGameData game = reader.GetGameData(nextGame);
                std::vector<std::string> san;
                if (options.san) {
                    san = WriteGameSan(StartPosition(game.GetStart()).board, game);
                }
                CGameAnnotations annotations;
                if (options.annotations) {
                    annotations = ReadGameAnnotations(*reader.GameSource(nextGame), game);
                }
                std::string extra;
                if (options.fens) {
                    AppendFens(extra, game);
                }
                if (options.evals != nullptr) {
                    options.evals->Append(extra, game);
                }
                openings.AppendOpening(extra, game);
                AppendGameLine(out, ordinal, game, options.san ? &san : nullptr,
                               options.annotations ? &annotations : nullptr, extra, page);
                ++nextGame;
            }
            if (out.size() >= flushThreshold) {
                ok = WriteOut(out) && ok;
            }
        }
        ok = WriteOut(out) && ok;
        ok = std::fflush(stdout) == 0 && ok;
    }
    for (const CSkippedEntry& entry : report.skipped) {
        std::fprintf(stderr, "%s: %s skipped: %s\n", path.c_str(), entry.name.c_str(),
                     entry.reason.c_str());
    }
    for (const std::string& stop : report.stops) {
        std::fprintf(stderr, "%s: reading stopped early: %s\n", path.c_str(), stop.c_str());
    }
    std::fprintf(stderr, "%s: %d games read, %zu dropped\n", path.c_str(), gamesRead,
                 report.dropped.size());
    return !ok                                              ? EFileOutcome::kFailed
           : report.dropped.empty() && report.stops.empty() ? EFileOutcome::kRead
                                                            : EFileOutcome::kGamesDropped;
}

// A thread count from 1 to 64.
bool ParseThreads(const char* text, unsigned& threads) {
    char* end = nullptr;
    const long value = std::strtol(text, &end, 10);
    if (end == text || *end != '\0' || value < 1 || value > 64) {
        return false;
    }
    threads = static_cast<unsigned>(value);
    return true;
}

// A node count from 1 to 10^12.
bool ParseNodes(const char* text, long long& nodes) {
    char* end = nullptr;
    const long long value = std::strtoll(text, &end, 10);
    if (end == text || *end != '\0' || value < 1 || value > 1000000000000LL) {
        return false;
    }
    nodes = value;
    return true;
}

} // namespace

int main(int argc, char** argv) {
    COptions options;
    bool optionsEnded = false;
    std::vector<std::string> files;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (!optionsEnded && arg == "--") {
            optionsEnded = true;
        } else if (!optionsEnded && (arg == "--help" || arg == "-h")) {
            std::fputs(usage, stdout);
            return 0;
        } else if (!optionsEnded && arg == "--version") {
            std::fputs("tavrin-pgn " TAVRIN_VERSION "\n", stdout);
            return 0;
        } else if (!optionsEnded && arg == "--quiet") {
            options.quiet = true;
        } else if (!optionsEnded && arg == "--san") {
            options.san = true;
        } else if (!optionsEnded && arg == "--annotations") {
            options.annotations = true;
        } else if (!optionsEnded && arg == "--strict") {
            options.strict = true;
        } else if (!optionsEnded && arg == "--threads" && i + 1 < argc &&
                   ParseThreads(argv[i + 1], options.threads)) {
            ++i;
        } else if (!optionsEnded && arg == "--fens") {
            options.fens = true;
        } else if (!optionsEnded && arg == "--analyse" && i + 1 < argc &&
                   ParseNodes(argv[i + 1], options.analyseNodes)) {
            ++i;
        } else if (!optionsEnded && arg == "--engine" && i + 1 < argc) {
            options.engine = argv[++i];
        } else if (!optionsEnded && TakeOpeningOption(argc, argv, i, options.openings)) {
        } else if (!optionsEnded && arg.size() > 1 && arg.front() == '-') {
            std::fprintf(stderr, "tavrin-pgn: unknown option '%s'\n%s", argv[i], usage);
            return kExitUsage;
        } else {
            files.emplace_back(arg);
        }
    }
    if (files.empty()) {
        std::fputs(usage, stderr);
        return kExitUsage;
    }

    std::unique_ptr<COpeningOutput> openings;
    try {
        openings = std::make_unique<COpeningOutput>(options.openings);
    } catch (const CGeneralException& e) {
        std::fprintf(stderr, "tavrin-pgn: %s\n", e.GetMessage().c_str());
        return kExitUsage;
    }

    bool allRead = true;
    bool anyDropped = false;
    try {
        std::unique_ptr<CEvalsWriter> evals;
        if (options.analyseNodes > 0) {
            evals = std::make_unique<CEvalsWriter>(options.engine.empty() ? DefaultEnginePath()
                                                                          : options.engine,
                                                   options.analyseNodes);
            options.evals = evals.get();
        }
        openings->LoadNames(options.openings);
        for (const std::string& file : files) {
            const EFileOutcome outcome = ProcessFile(file, options, *openings);
            allRead = allRead && outcome != EFileOutcome::kFailed;
            anyDropped = anyDropped || outcome == EFileOutcome::kGamesDropped;
        }
    } catch (const CGeneralException& e) {
        std::fprintf(stderr, "tavrin-pgn: %s\n", e.GetMessage().c_str());
        return kExitFailed;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "tavrin-pgn: %s\n", e.what());
        return kExitFailed;
    }
    if (openings->Exploring() && std::fputs(openings->ExploreLine().c_str(), stdout) < 0) {
        allRead = false;
    }
    if (!allRead) {
        return kExitFailed;
    }
    return options.strict && anyDropped ? kExitDropped : 0;
}
