#include "common/FileInput.h"

#include "common/DecompressionException.h"

#include <cerrno>
#include <unistd.h>

namespace {
// Enough to keep a decoder busy between reads, small enough to keep cancels prompt.
constexpr std::size_t kBufferBytes = std::size_t{1} << 20;
} // namespace

CFileInput::CFileInput(int fd, std::uint64_t start, std::uint64_t size)
    : fd(fd), size(size), bufferStart(start),
      buffer(std::make_unique_for_overwrite<char[]>(kBufferBytes)) {
}

CFileInput::~CFileInput() {
    ::close(fd);
}

std::string_view CFileInput::Available() {
    if (begin == end) {
        bufferStart += end;
        begin = end = 0;
        while (true) {
            const ssize_t got =
                ::pread(fd, buffer.get(), kBufferBytes, static_cast<off_t>(bufferStart));
            if (got < 0 && errno == EINTR) {
                continue;
            }
            if (got < 0) {
                throw CDecompressionException(
                    "CFileInput::Available(): The file cannot be read at byte " +
                    std::to_string(bufferStart) + "!");
            }
            end = static_cast<std::size_t>(got);
            break;
        }
    }
    return {buffer.get() + begin, end - begin};
}
