#include "pgn/PGNReader.h"

#include "common/CompressionFormat.h"
#include "common/FileReaderException.h"
#include "common/LoadProgress.h"
#include "common/MappedFile.h"
#include "common/RegularFile.h"
#include "common/TextDecoding.h"
#include "pgn/CompressedRead.h"
#include "pgn/PGNExceptions.h"

#include <array>
#include <sys/stat.h>
#include <unistd.h>

void CPGNReader::Load(const std::string& path) {
    Append(Read(path));
}

void CPGNReader::LoadText(std::string_view content) {
    loaded = true;
    Append(ParsePgnText(content, std::make_shared<CSourceFile>(), parseThreads, nullptr));
}

CParsedText CPGNReader::Read(const std::string& path, CLoadProgress* progress) {
    struct stat status {};
    const int fd = OpenRegularFile(path, status);
    std::array<char, 8> head{};
    const ssize_t got = ::pread(fd, head.data(), head.size(), 0);
    const ECompression format = DetectCompression(
        std::string_view(head.data(), got > 0 ? static_cast<std::size_t>(got) : 0));
    CStreamSettings settings;
    settings.threads = parseThreads;
    if (pieceBytes != 0) {
        settings.pieceBytes = pieceBytes;
    }
    settings.keepReach = keepReach;
    if (format == ECompression::kZstd || format == ECompression::kGzip ||
        format == ECompression::kBzip2) {
        loaded = true;
        return ReadCompressedPgn(path, fd, status, format, settings, progress);
    }
    ::close(fd);
    if (format == ECompression::kZip) {
        loaded = true;
        return ReadZipPgn(path, status, settings, progress);
    }
    return ReadPlain(path, progress);
}

// A plain file is mapped rather than read into a buffer: the listed games do not need its text,
// and the mapping costs no copy.
CParsedText CPGNReader::ReadPlain(const std::string& path, CLoadProgress* progress) {
    const CMappedFile mapped(path, progress);
    if (progress != nullptr && progress->Cancelled()) {
        CParsedText cancelled;
        cancelled.cancelled = true;
        return cancelled;
    }
    loaded = true;
    if (LooksLikeUtf16(mapped.Text())) {
        throw CPGNReaderException("CPGNReader::Read(): The text is UTF-16!");
    }
    auto file = std::make_shared<CSourceFile>();
    file->path = path;
    file->size = mapped.Text().size();
    file->modifiedNs = mapped.ModifiedNs();
    const auto changed = [] {
        return CFileReaderException("CPGNReader::Read(): The file changed while it was read!");
    };
    CParsedText parsed;
    try {
        parsed = ParsePgnText(mapped.Text(), file, parseThreads, progress);
    } catch (const CGeneralException&) {
        if (mapped.Changed()) {
            throw changed();
        }
        throw;
    }
    if (mapped.Changed()) {
        throw changed();
    }
    return parsed;
}

void CPGNReader::Append(CParsedText&& parsed) {
    if (parsed.cancelled) {
        return;
    }
    const std::lock_guard lock(gamesMutex);
    // A text read elsewhere (pasted) counts as a read: appending it to a reader that never read
    // a file must leave a list that can be asked for its games.
    loaded = true;
    if (!parsed.batches.empty()) {
        games = std::make_shared<const CGameListSnapshot>(*games, parsed.batches);
    }
    report = std::move(parsed.report);
}

void CPGNReader::Clear() {
    const std::lock_guard lock(gamesMutex);
    games = std::make_shared<const CGameListSnapshot>();
    report = {};
}

std::shared_ptr<const CGameListSnapshot> CPGNReader::Games() const {
    const std::lock_guard lock(gamesMutex);
    return games;
}

std::optional<CGameSource> CPGNReader::GameSource(int i) const {
    const std::shared_ptr<const CGameListSnapshot> list = Games();
    if (i < 0 || static_cast<std::size_t>(i) >= list->Size()) {
        return std::nullopt;
    }
    std::size_t first = 0;
    const CGameBatch& batch = list->BatchOf(static_cast<std::size_t>(i), first);
    const CStoredGame& game = batch.Game(static_cast<std::size_t>(i) - first);
    return CGameSource{batch.File(), game.textOffset, static_cast<std::uint32_t>(game.textLength)};
}

int CPGNReader::GamesCount() const {
    if (!loaded) {
        throw CPGNReaderException("CPGNReader::GamesCount(): There was no file loaded!");
    }
    return static_cast<int>(Games()->Size());
}

CChessGameData CPGNReader::GetGameData(const int& i) const {
    if (!loaded) {
        throw CPGNReaderException("CPGNReader::GetGameData(): There was no file loaded!");
    }
    if (i < 0) {
        throw CPGNReaderException(
            "CPGNReader::GetGameData(): Parameter 'i' is lower than 0! Index cannot be negative!");
    }
    const std::shared_ptr<const CGameListSnapshot> list = Games();
    if (static_cast<std::size_t>(i) >= list->Size()) {
        throw CPGNReaderException("CPGNReader::GetGameData(): Parameter 'i' out of range!");
    }
    return list->GameData(static_cast<std::size_t>(i));
}

std::string CPGNReader::PrepareGameTitle(const int& index) const {
    const auto count = static_cast<unsigned>(GamesCount());
    const std::shared_ptr<const CGameListSnapshot> list = Games();
    if (static_cast<unsigned>(index) >= count || static_cast<unsigned>(index) >= list->Size()) {
        throw CPGNReaderException("CPGNReader::PrepareGameTitle(): Index out of range!");
    }
    return GameTitle(list->Game(static_cast<unsigned>(index)));
}

std::vector<std::string> CPGNReader::GamesTitles() const {
    const std::shared_ptr<const CGameListSnapshot> list = Games();
    std::vector<std::string> titles;
    titles.reserve(list->Size());
    for (std::size_t i = 0; i < list->Size(); ++i) {
        titles.push_back(GameTitle(list->Game(i)));
    }
    return titles;
}

CLoadReport CPGNReader::LastLoadReport() const {
    const std::lock_guard lock(gamesMutex);
    return report;
}
