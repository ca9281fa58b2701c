#include "common/FileReader.h"

#include "common/FileReaderException.h"
#include "common/RegularFile.h"

#include <cerrno>
#include <fcntl.h>
#include <limits>
#include <sys/stat.h>
#include <unistd.h>

namespace {

[[noreturn]] void Throw(const char* text) {
    throw CFileReaderException(std::string("AFileReader::LoadFile(): ") + text);
}

// Closes the descriptor however the read ends.
struct CDescriptor {
    int fd;
    ~CDescriptor() { ::close(fd); }
};

} // namespace

int OpenRegularFile(const std::string& path, struct stat& status) {
    // O_NONBLOCK: opening a pipe must not wait for a writer.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        Throw(::stat(path.c_str(), &status) != 0 ? "Cannot determine file size!"
                                                 : "Cannot open file for reading!");
    }
    const char* refusal = nullptr;
    if (::fstat(fd, &status) != 0) {
        refusal = "Cannot determine file size!";
    } else if (S_ISDIR(status.st_mode)) {
        refusal = "Cannot open file for reading!";
    } else if (!S_ISREG(status.st_mode)) {
        refusal = "Not a regular file!";
    }
    if (refusal != nullptr) {
        ::close(fd);
        Throw(refusal);
    }
    return fd;
}

void AFileReader::LoadFile(const std::string& path) {
    struct stat status {};
    const CDescriptor descriptor{OpenRegularFile(path, status)};
    if (status.st_size > std::numeric_limits<std::int32_t>::max() - 1) {
        // The size is a signed 32-bit value; a larger file cannot be held in one buffer.
        Throw("File too large!");
    }
    size = static_cast<std::int32_t>(status.st_size);
    buffer = std::make_unique_for_overwrite<char[]>(static_cast<std::size_t>(size) + 1);
    buffer[static_cast<std::size_t>(size)] = 0;

    // A file that changed since its size was read: at most `size` bytes are taken, and when it
    // yields fewer, the size shrinks to what was read so that no unfilled byte counts as text.
    std::size_t got = 0;
    const auto wanted = static_cast<std::size_t>(size);
    while (got < wanted) {
        const ssize_t n = ::read(descriptor.fd, buffer.get() + got, wanted - got);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            Throw("Cannot open file for reading!");
        }
        if (n == 0) {
            break;
        }
        got += static_cast<std::size_t>(n);
    }
    size = static_cast<std::int32_t>(got);
    buffer[got] = 0;
    loaded = true;
}
