#include "pgn/SourceText.h"

#include "common/DecompressingStream.h"
#include "common/GeneralException.h"
#include "common/KeptText.h"
#include "common/RegularFile.h"
#include "common/ZipArchive.h"

#include <algorithm>
#include <memory>
#include <new>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr std::size_t kSkipBytes = std::size_t{1} << 20;

// Reads `length` bytes of `stream` after skipping `skip`; false when the stream ends first.
bool ReadFrom(AByteStream& stream, std::uint64_t skip, std::uint32_t length, std::string& text) {
    std::unique_ptr<char[]> scratch(new char[kSkipBytes]);
    while (skip > 0) {
        const std::size_t got = stream.Read(
            scratch.get(), static_cast<std::size_t>(std::min<std::uint64_t>(skip, kSkipBytes)));
        if (got == 0) {
            return false;
        }
        skip -= got;
    }
    text.resize(length);
    std::size_t have = 0;
    while (have < length) {
        const std::size_t got = stream.Read(text.data() + have, length - have);
        if (got == 0) {
            return false;
        }
        have += got;
    }
    return true;
}

bool ReadPlain(int fd, std::uint64_t offset, std::uint32_t length, std::string& text) {
    text.resize(length);
    std::size_t got = 0;
    while (got < text.size()) {
        const ssize_t n =
            ::pread(fd, text.data() + got, text.size() - got, static_cast<off_t>(offset + got));
        if (n <= 0) {
            break;
        }
        got += static_cast<std::size_t>(n);
    }
    return got == text.size();
}

} // namespace

bool ReadSourceText(const CSourceFile& file, std::uint64_t offset, std::uint32_t length,
                    std::string& text, std::string& why) {
    text.clear();
    try {
        if (file.kept && file.kept->Holds(offset, length)) {
            file.kept->Read(offset, length, text);
            return true;
        }
        struct stat status {};
        int fd = -1;
        try {
            fd = OpenRegularFile(file.path, status);
        } catch (const CGeneralException&) {
            why = "the file is gone.";
            return false;
        }
        const std::int64_t modified =
            static_cast<std::int64_t>(status.st_mtim.tv_sec) * 1'000'000'000 +
            status.st_mtim.tv_nsec;
        if (static_cast<std::uint64_t>(status.st_size) != file.size ||
            modified != file.modifiedNs) {
            ::close(fd);
            why = "the file has changed since it was loaded.";
            return false;
        }
        bool read = false;
        if (file.compression == ECompression::kNone) {
            read = ReadPlain(fd, offset, length, text);
            ::close(fd);
        } else if (file.compression == ECompression::kZip) {
            ::close(fd);
            CZipArchive archive(file.path);
            read = ReadFrom(*archive.Open(file.entryIndex), offset, length, text);
        } else {
            const auto after = std::upper_bound(
                file.restarts.begin(), file.restarts.end(), offset,
                [](std::uint64_t at, const CRestartPoint& point) { return at < point.text; });
            const CRestartPoint from =
                after == file.restarts.begin() ? CRestartPoint{} : *std::prev(after);
            const std::unique_ptr<AByteStream> stream =
                OpenDecompressingStream(file.compression, fd, from.source, file.size);
            read = ReadFrom(*stream, offset - from.text, length, text);
        }
        if (!read) {
            why = "the file could not be read.";
        }
        return read;
    } catch (const CGeneralException&) {
        why = "the file could not be read.";
    } catch (const std::bad_alloc&) {
        why = "there is not enough memory.";
    }
    return false;
}
