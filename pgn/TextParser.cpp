#include "pgn/TextParser.h"

#include "common/CodePages.h"
#include "common/GeneralException.h"
#include "common/LoadProgress.h"
#include "pgn/GameParser.h"
#include "pgn/GameSplitter.h"
#include "pgn/PGNExceptions.h"
#include "pgn/PreProcessor.h"
#include "pgn/TextSegments.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <exception>
#include <memory>
#include <thread>

namespace {

constexpr std::size_t npos = std::string_view::npos;
// A text smaller than this is read on one thread; a stretch is never smaller than this.
constexpr std::size_t kMinStretchBytes = std::size_t{1} << 20;
// Stretches per thread, so that threads that finish early take over others' work.
constexpr std::size_t kStretchesPerThread = 4;
constexpr unsigned kMaxThreads = 8;

// What one stretch of segments gave, with its game texts counted from 0.
struct CStretchResult {
    std::shared_ptr<CGameBatch> batch;
    int gameTexts = 0;
    std::vector<CDroppedGame> dropped;
    std::string firstFailure; // the first pre-processing message, for a text without games
    CCodePageVotes votes;
};

// Working space of one thread, kept from segment to segment.
struct CStretchScratch {
    std::string input; // a segment with its damaged header lines blanked
    // The pre-processed segment. Grown without being filled first: a game of a hundred megabytes
    // that is nearly all comment pre-processes to a few bytes, and the pages never written are
    // never resident.
    std::unique_ptr<char[]> output;
    std::size_t outputSize = 0;
    std::vector<CBracketOrigin> origins;
    std::vector<std::size_t> starts;
    CGameScratch game;
};

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

// The input position of the '[' at output position `out`; for a '[' the pre-processor did not
// record (one inside a broken tag value) the nearest recorded one before it.
std::size_t InputPosition(const std::vector<CBracketOrigin>& origins, std::size_t out) {
    const auto after =
        std::upper_bound(origins.begin(), origins.end(), out,
                         [](std::size_t o, const CBracketOrigin& b) { return o < b.out; });
    return after == origins.begin() ? 0 : std::prev(after)->in;
}

// The value of tag pair `name` in a game's raw text, as written; empty when not found. Only a
// dropped game's text is searched: its players name it in the load's report.
std::string_view TagValueIn(std::string_view raw, std::string_view name) {
    const std::size_t header = std::min(raw.size(), raw.find("\n\n"));
    for (std::size_t at = raw.find('['); at < header; at = raw.find('[', at + 1)) {
        std::size_t p = at + 1;
        while (p < header && (raw[p] == ' ' || raw[p] == '\t')) {
            ++p;
        }
        if (raw.compare(p, name.size(), name) != 0) {
            continue;
        }
        const std::size_t open = raw.find('"', p + name.size());
        const std::size_t close = open == npos ? npos : raw.find('"', open + 1);
        if (close == npos || close > header ||
            raw.find_first_not_of(" \t", p + name.size()) != open) {
            continue;
        }
        return raw.substr(open + 1, close - open - 1);
    }
    return {};
}

class CStretchParser {
public:
    CStretchParser(std::string_view text, std::uint64_t base, CStretchResult& result,
                   CStretchScratch& scratch, CLoadProgress* progress, bool countParsed)
        : text(text), base(base), result(result), scratch(scratch), progress(progress),
          countParsed(countParsed) {}

    // Reads the segments that start in [begin, end); `begin` is a segment start.
    void Run(std::size_t begin, std::size_t end) {
        std::size_t segment = begin;
        // Every segment but a first one without a header at its start opens a game.
        bool opensGame = BeginsGameHeader(text, begin);
        while (segment < end) {
            if (progress != nullptr && progress->Cancelled()) {
                return;
            }
            const CSegmentScan scan = ScanSegment(text, segment, opensGame);
            const std::size_t next = std::min(scan.next, end);
            ReadSegment(segment, next, opensGame, scan.damagedHeader);
            opensGame = true;
            if (progress != nullptr && countParsed) {
                progress->parsed += next - segment;
                progress->Notify();
            }
            segment = next;
        }
    }

private:
    // `raw` is the dropped game's text as the file has it, `at` where it starts in `text`.
    void Drop(const std::string& message, std::string_view raw, std::size_t at) {
        CDroppedGame dropped{result.gameTexts++, message, base + at, 0, {}, {}};
        dropped.white = std::string(TagValueIn(raw, "White"));
        dropped.black = std::string(TagValueIn(raw, "Black"));
        result.dropped.push_back(std::move(dropped));
    }

    // A segment that opens a game starts at its header's first tag pair; the damaged lines of
    // that header are read as blanks.
    void ReadSegment(std::size_t a, std::size_t b, bool opensGame, bool damagedHeader) {
        if (opensGame) {
            a = std::min(SkipLineBlanks(text, a), b);
        }
        const std::string_view raw = text.substr(a, b - a);
        result.votes.Add(raw);
        const std::string_view input =
            damagedHeader ? WithoutDamagedHeaderLines(raw, scratch.input) : raw;
        if (scratch.outputSize < raw.size()) {
            scratch.output.reset();
            scratch.output = std::make_unique_for_overwrite<char[]>(raw.size());
            scratch.outputSize = raw.size();
        }
        scratch.origins.clear();
        std::size_t length = 0;
        try {
            length = PreProcessPgnText(input.data(), input.size(), scratch.output.get(),
                                       &scratch.origins);
        } catch (const CGeneralException& e) {
            if (result.firstFailure.empty()) {
                result.firstFailure = e.GetMessage();
            }
            if (opensGame || raw.find('[') != npos) {
                Drop(e.GetMessage(), raw, a);
            }
            return;
        }
        const std::string_view all(scratch.output.get(), length);
        std::vector<std::size_t>& starts = scratch.starts;
        starts.clear();
        CGameSplitter splitter(all);
        while (splitter.FindMore(starts)) {
        }
        // The header is a game even where its first pair does not read (or none is left): its
        // parse then reads or refuses what there is.
        if (opensGame && (starts.empty() || starts[0] != 0)) {
            starts.insert(starts.begin(), 0);
        }
        for (std::size_t k = 0; k < starts.size(); ++k) {
            const bool last = k + 1 == starts.size();
            std::string_view game = all.substr(starts[k], last ? npos : starts[k + 1] - starts[k]);
            if (!game.empty() && game.back() == ' ') {
                game.remove_suffix(1);
            }
            const std::size_t rawBegin = InputPosition(scratch.origins, starts[k]);
            std::size_t rawEnd = last ? raw.size() : InputPosition(scratch.origins, starts[k + 1]);
            rawEnd = std::max(rawEnd, rawBegin);
            while (rawEnd > rawBegin && IsSpace(raw[rawEnd - 1])) {
                --rawEnd;
            }
            try {
                CParsedGame parsed = ParseGameText(game, scratch.game);
                parsed.textOffset = base + a + rawBegin;
                parsed.textLength = rawEnd - rawBegin;
                result.batch->Add(parsed);
            } catch (const CGeneralException& e) {
                Drop(e.GetMessage(), raw.substr(rawBegin, rawEnd - rawBegin), a + rawBegin);
                continue;
            }
            ++result.gameTexts;
        }
    }

    std::string_view text;
    std::uint64_t base;
    CStretchResult& result;
    CStretchScratch& scratch;
    CLoadProgress* progress;
    bool countParsed;
};

} // namespace

CPgnTextReader::CPgnTextReader(std::shared_ptr<CSourceFile> file, unsigned threads,
                               CLoadProgress* progress, bool countParsed)
    : file(std::move(file)), threads(threads), progress(progress), countParsed(countParsed) {
    if (this->threads == 0) {
        this->threads = std::clamp(std::thread::hardware_concurrency(), 1u, kMaxThreads);
    }
}

CPgnTextReader::~CPgnTextReader() = default;

bool CPgnTextReader::Add(std::string_view text, std::uint64_t offset) {
    const std::size_t byStretchSize = text.size() / kMinStretchBytes + 1;
    const std::size_t stretches =
        std::min<std::size_t>(threads == 1 ? 1 : threads * kStretchesPerThread, byStretchSize);
    const auto used = static_cast<unsigned>(std::min<std::size_t>(threads, stretches));

    // Stretch k covers the segments that start in [bounds[k], bounds[k + 1]).
    std::vector<std::size_t> bounds{0};
    for (std::size_t k = 1; k < stretches; ++k) {
        const std::size_t at =
            NextSegmentStart(text, std::max(bounds.back() + 1, k * text.size() / stretches));
        if (at == npos) {
            break;
        }
        bounds.push_back(at);
    }
    bounds.push_back(text.size());

    std::vector<CStretchResult> results(bounds.size() - 1);
    for (std::size_t k = 0; k < results.size(); ++k) {
        results[k].batch = std::make_shared<CGameBatch>(file, bounds[k + 1] - bounds[k]);
    }
    std::atomic<std::size_t> nextStretch{0};
    std::exception_ptr failure;
    std::atomic<bool> failed{false};
    auto work = [&] {
        CStretchScratch scratch;
        std::size_t k;
        while (!failed && (k = nextStretch++) < results.size()) {
            try {
                CStretchParser(text, offset, results[k], scratch, progress, countParsed)
                    .Run(bounds[k], bounds[k + 1]);
                results[k].batch->Seal();
            } catch (...) { // out of memory: the whole load fails, on the calling thread
                if (!failed.exchange(true)) {
                    failure = std::current_exception();
                }
            }
        }
    };
    std::vector<std::thread> helpers;
    for (unsigned t = 1; t < used; ++t) {
        helpers.emplace_back(work);
    }
    work();
    for (std::thread& helper : helpers) {
        helper.join();
    }
    if (failure) {
        std::rethrow_exception(failure);
    }
    if (progress != nullptr && progress->Cancelled()) {
        return false;
    }
    // Lines are counted only up to each dropped game and then to the piece's end: one pass.
    std::size_t counted = 0;
    const auto countTo = [&](std::size_t end) {
        linesBefore += static_cast<std::uint64_t>(
            std::count(text.begin() + static_cast<std::ptrdiff_t>(counted),
                       text.begin() + static_cast<std::ptrdiff_t>(end), '\n'));
        counted = end;
    };
    for (CStretchResult& result : results) {
        votes.Merge(result.votes);
        for (CDroppedGame& dropped : result.dropped) {
            dropped.ordinal += parsed.report.gameTexts;
            countTo(std::clamp<std::size_t>(dropped.offset - offset, counted, text.size()));
            dropped.line = static_cast<int>(linesBefore + 1);
            parsed.report.dropped.push_back(std::move(dropped));
        }
        parsed.report.gameTexts += result.gameTexts;
        parsed.report.gamesRead += static_cast<int>(result.batch->Size());
        if (result.batch->Size() > 0) {
            parsed.batches.push_back(std::move(result.batch));
        }
        if (firstFailure.empty()) {
            firstFailure = std::move(result.firstFailure);
        }
    }
    countTo(text.size());
    return true;
}

void CPgnTextReader::DropLast(const std::string& message) {
    parsed.report.dropped.push_back({parsed.report.gameTexts++, message, 0, 0, {}, {}});
}

CParsedText CPgnTextReader::Finish(bool mayBeEmpty) {
    // The batches are not yet shared: the file's code page can still be set.
    file->codePage = parsed.report.codePage = votes.Choice();
    if (parsed.report.gameTexts == 0 && !mayBeEmpty) {
        throw CPGNReaderException(
            !firstFailure.empty() ? firstFailure
                                  : "CPGNReader::ParseData(): Cannot find any \"Event\" tag pair!");
    }
    return std::move(parsed);
}

CParsedText ParsePgnText(std::string_view text, const std::shared_ptr<CSourceFile>& file,
                         unsigned threads, CLoadProgress* progress) {
    CPgnTextReader reader(file, threads, progress);
    if (!reader.Add(text, 0)) {
        CParsedText cancelled;
        cancelled.cancelled = true;
        return cancelled;
    }
    return reader.Finish();
}
