#include "pgn/CompressedRead.h"

#include "common/DecompressingStream.h"
#include "common/DecompressionException.h"
#include "common/KeptText.h"
#include "common/LoadProgress.h"
#include "common/ZipArchive.h"
#include "pgn/PGNExceptions.h"
#include "pgn/TextSegments.h"

#include <algorithm>
#include <condition_variable>
#include <deque>
#include <exception>
#include <malloc.h>
#include <mutex>
#include <optional>
#include <thread>

namespace {

constexpr std::size_t npos = std::string_view::npos;
// Decompressed at a time, between checks for a cancel.
constexpr std::size_t kReadBytes = std::size_t{1} << 20;
// A cut is made this far before the end of what was decompressed, so that the header that
// starts there is seen whole.
constexpr std::size_t kMaxMargin = std::size_t{1} << 20;
// Restart points closer than this, or than a piece, to the last one recorded are not recorded.
constexpr std::uint64_t kRestartSpacing = std::uint64_t{1} << 20;

// How much text can be decompressed from a restart point within about 150 ms on a slow
// machine; text farther from one is kept in memory.
std::uint64_t Reach(ECompression format) {
    switch (format) {
    case ECompression::kZstd:
        return std::uint64_t{64} << 20;
    case ECompression::kBzip2:
        return std::uint64_t{4} << 20;
    default:
        return std::uint64_t{24} << 20;
    }
}

struct CPiece {
    std::string text;
    std::uint64_t offset = 0;    // of its text in the whole text
    std::uint64_t sourceEnd = 0; // the source's bytes decompressed when it was cut
    bool damagedTail = false;    // the game after it was cut short by damaged data
};

// The last segment start in text[1, limit], or npos.
std::size_t LastSegmentStartBefore(std::string_view text, std::size_t limit, std::size_t from) {
    std::size_t best = npos;
    for (std::size_t at = NextSegmentStart(text, std::max<std::size_t>(from, 1));
         at != npos && at <= limit; at = NextSegmentStart(text, at + 1)) {
        best = at;
    }
    return best;
}

// Decompresses on a thread of its own into pieces that end where games start, and hands them
// over; the calling thread parses them meanwhile.
class CStreamPump {
public:
    CStreamPump(AByteStream& stream, CSourceFile& file, std::uint64_t sourceBase,
                const CStreamSettings& settings, CLoadProgress* progress)
        : stream(stream), file(file), sourceBase(sourceBase), pieceBytes(settings.pieceBytes),
          margin(std::min(kMaxMargin, pieceBytes)), readBytes(std::min(kReadBytes, pieceBytes)),
          spacing(std::min<std::uint64_t>(kRestartSpacing, pieceBytes)),
          reach(settings.keepReach != 0 ? settings.keepReach : Reach(file.compression)),
          progress(progress) {
        file.restarts.assign(1, stream.LastRestart());
    }

    // Parses the stream's pieces into `reader`; `stops` gets the message of damaged data.
    // False when the load was cancelled.
    bool Run(CPgnTextReader& reader, std::vector<std::string>& stops) {
        std::thread producer([this] { Produce(); });
        bool cancelled = false;
        std::exception_ptr failure;
        try {
            while (std::optional<CPiece> piece = Next()) {
                if (!reader.Add(piece->text, piece->offset)) {
                    cancelled = true;
                    break;
                }
                if (piece->damagedTail) {
                    reader.DropLast("The text stops here: " + stop);
                }
                if (progress != nullptr) {
                    progress->parsed = sourceBase + piece->sourceEnd;
                    progress->Notify();
                }
            }
        } catch (...) {
            failure = std::current_exception();
        }
        {
            const std::lock_guard lock(mutex);
            ended = true;
        }
        changed.notify_all();
        producer.join();
        if (failure) {
            std::rethrow_exception(failure);
        }
        if (producerFailure) {
            std::rethrow_exception(producerFailure);
        }
        if (kept) {
            file.kept = std::move(kept);
        }
        if (!stop.empty()) {
            stops.push_back(stop);
        }
        return !cancelled && !(progress != nullptr && progress->Cancelled());
    }

private:
    bool Cancelled() const { return progress != nullptr && progress->Cancelled(); }

    // The next piece, or nothing once all are parsed (or the producer stopped).
    std::optional<CPiece> Next() {
        std::unique_lock lock(mutex);
        changed.wait(lock, [this] { return !queue.empty() || produced; });
        if (queue.empty()) {
            return std::nullopt;
        }
        CPiece piece = std::move(queue.front());
        queue.pop_front();
        changed.notify_all();
        return piece;
    }

    // Hands a piece over; false when the parsing side has ended.
    bool Hand(CPiece&& piece) {
        std::unique_lock lock(mutex);
        changed.wait(lock, [this] { return queue.size() < 2 || ended; });
        if (ended) {
            return false;
        }
        queue.push_back(std::move(piece));
        changed.notify_all();
        return true;
    }

    // Decompresses up to readBytes more into `buffer`; false at the end of the text (or of
    // the data that could be read).
    bool Fill(std::string& buffer) {
        const std::size_t before = buffer.size();
        buffer.resize(before + readBytes);
        std::size_t got = 0;
        try {
            got = stream.Read(buffer.data() + before, readBytes);
        } catch (const CDecompressionException& e) {
            buffer.resize(before);
            stop = e.GetMessage() + " (after " + std::to_string(textRead) + " bytes of text)";
            return false;
        }
        buffer.resize(before + got);
        textRead += got;
        const CRestartPoint restart = stream.LastRestart();
        if (restart.text >= file.restarts.back().text + spacing) {
            file.restarts.push_back(restart);
        }
        if (progress != nullptr) {
            progress->read = sourceBase + stream.SourceBytesRead();
            progress->Notify();
        }
        return got > 0;
    }

    // Keeps the piece's text in memory when no restart point lies near enough before it.
    void KeepIfFar(const CPiece& piece) {
        const auto after = std::upper_bound(
            file.restarts.begin(), file.restarts.end(), piece.offset,
            [](std::uint64_t at, const CRestartPoint& point) { return at < point.text; });
        const std::uint64_t from = std::prev(after)->text;
        if (piece.offset + piece.text.size() - from > reach) {
            if (!kept) {
                kept = std::make_shared<CKeptText>();
            }
            kept->Keep(piece.offset, piece.text);
        }
    }

    void Produce() {
        try {
            std::string buffer;
            std::uint64_t offset = 0;
            std::size_t want = pieceBytes + margin;
            bool more = true;
            while (more && !Cancelled()) {
                while (buffer.size() < want && (more = Fill(buffer)) && !Cancelled()) {
                }
                if (Cancelled()) {
                    break;
                }
                CPiece piece;
                std::size_t cut = buffer.size();
                if (more) {
                    const std::size_t limit = buffer.size() - margin;
                    cut = LastSegmentStartBefore(buffer, limit, limit - std::min(limit, margin));
                    if (cut == npos) {
                        cut = LastSegmentStartBefore(buffer, limit, 1);
                    }
                    if (cut == npos) {
                        want += pieceBytes; // one game larger than a piece: read on
                        continue;
                    }
                } else if (!stop.empty()) {
                    // The game being read when the data failed is cut short: it is dropped.
                    const std::size_t last = LastSegmentStartBefore(buffer, buffer.size(), 1);
                    cut = last == npos ? 0 : last;
                    piece.damagedTail =
                        buffer.find_first_not_of(" \t\r\n", cut) != std::string::npos;
                }
                piece.text.assign(buffer, 0, cut);
                buffer.erase(0, cut);
                piece.offset = offset;
                piece.sourceEnd = stream.SourceBytesRead();
                offset += cut;
                want = pieceBytes + margin;
                KeepIfFar(piece);
                if (!Hand(std::move(piece))) {
                    break;
                }
            }
        } catch (...) {
            producerFailure = std::current_exception();
        }
        const std::lock_guard lock(mutex);
        produced = true;
        changed.notify_all();
    }

    AByteStream& stream;
    CSourceFile& file;
    std::uint64_t sourceBase;
    std::size_t pieceBytes;
    std::size_t margin;
    std::size_t readBytes;
    std::uint64_t spacing;
    std::uint64_t reach;
    CLoadProgress* progress;
    std::uint64_t textRead = 0;
    std::shared_ptr<CKeptText> kept;
    std::string stop; // written by the producer before it ends
    std::exception_ptr producerFailure;

    std::mutex mutex;
    std::condition_variable changed;
    std::deque<CPiece> queue; // guarded by mutex
    bool produced = false;    // the producer has ended; guarded
    bool ended = false;       // the parsing side has ended; guarded
};

std::int64_t ModifiedNs(const struct stat& status) {
    return static_cast<std::int64_t>(status.st_mtim.tv_sec) * 1'000'000'000 +
           status.st_mtim.tv_nsec;
}

std::shared_ptr<CSourceFile> SourceFile(const std::string& path, const struct stat& status,
                                        ECompression format) {
    auto file = std::make_shared<CSourceFile>();
    file->path = path;
    file->size = static_cast<std::uint64_t>(status.st_size);
    file->modifiedNs = ModifiedNs(status);
    file->compression = format;
    return file;
}

bool IsPgnName(std::string_view name) {
    if (name.size() < 4) {
        return false;
    }
    std::string end(name.substr(name.size() - 4));
    std::transform(end.begin(), end.end(), end.begin(),
                   [](char c) { return static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c); });
    return end == ".pgn";
}

// The pieces' buffers, freed on several threads, stay with the allocator's arenas unless given
// back: without this a load would leave its memory tens of megabytes higher than it needs.
void GiveBackFreedMemory() {
    ::malloc_trim(0);
}

CParsedText Cancelled() {
    CParsedText cancelled;
    cancelled.cancelled = true;
    return cancelled;
}

} // namespace

CParsedText ReadCompressedPgn(const std::string& path, int fd, const struct stat& status,
                              ECompression format, const CStreamSettings& settings,
                              CLoadProgress* progress) {
    const std::shared_ptr<CSourceFile> file = SourceFile(path, status, format);
    const std::unique_ptr<AByteStream> stream = OpenDecompressingStream(format, fd, 0, file->size);
    if (progress != nullptr) {
        progress->total = file->size;
    }
    CPgnTextReader reader(file, settings.threads, progress, false);
    std::vector<std::string> stops;
    if (!CStreamPump(*stream, *file, 0, settings, progress).Run(reader, stops)) {
        return Cancelled();
    }
    GiveBackFreedMemory();
    CParsedText parsed = reader.Finish(!stops.empty());
    parsed.report.stops = std::move(stops);
    return parsed;
}

CParsedText ReadZipPgn(const std::string& path, const struct stat& status,
                       const CStreamSettings& settings, CLoadProgress* progress) {
    CZipArchive archive(path);
    if (progress != nullptr) {
        progress->total = static_cast<std::uint64_t>(status.st_size);
    }
    CParsedText all;
    std::uint64_t sourceBase = 0;
    bool anyPgn = false;
    for (const CZipEntry& entry : archive.Entries()) {
        const std::uint64_t entryBase = sourceBase;
        sourceBase += entry.storedSize;
        if (entry.folder) {
            continue;
        }
        if (!IsPgnName(entry.name)) {
            all.report.skipped.push_back({entry.name, "not a PGN file"});
            continue;
        }
        if (entry.encrypted) {
            all.report.skipped.push_back({entry.name, "encrypted"});
            continue;
        }
        if (!entry.methodSupported) {
            all.report.skipped.push_back(
                {entry.name, "compressed with a method that cannot be read (" +
                                 std::to_string(entry.method) + ")"});
            continue;
        }
        anyPgn = true;
        const std::shared_ptr<CSourceFile> file = SourceFile(path, status, ECompression::kZip);
        file->entry = entry.name;
        file->entryIndex = entry.index;
        CPgnTextReader reader(file, settings.threads, progress, false);
        std::vector<std::string> stops;
        try {
            const std::unique_ptr<AByteStream> stream = archive.Open(entry.index);
            if (!CStreamPump(*stream, *file, entryBase, settings, progress).Run(reader, stops)) {
                return Cancelled();
            }
        } catch (const CDecompressionException& e) {
            stops.push_back(e.GetMessage());
        }
        CParsedText parsed = reader.Finish(true);
        if (all.report.gameTexts == 0 && parsed.report.gameTexts > 0) {
            all.report.codePage = parsed.report.codePage;
        }
        for (CDroppedGame& dropped : parsed.report.dropped) {
            dropped.ordinal += all.report.gameTexts;
            all.report.dropped.push_back(std::move(dropped));
        }
        all.report.gameTexts += parsed.report.gameTexts;
        all.report.gamesRead += parsed.report.gamesRead;
        for (std::string& stop : stops) {
            all.report.stops.push_back(entry.name + ": " + stop);
        }
        for (auto& batch : parsed.batches) {
            all.batches.push_back(std::move(batch));
        }
    }
    GiveBackFreedMemory();
    if (all.report.gameTexts == 0 && all.report.stops.empty()) {
        throw CPGNReaderException(
            anyPgn ? "CPGNReader::ParseData(): Cannot find any \"Event\" tag pair!"
                   : "CPGNReader::Read(): The archive holds no PGN file!");
    }
    return all;
}
