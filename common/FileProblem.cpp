#include "common/FileProblem.h"

#include "common/TextDecoding.h"

#include <array>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

std::string DescribeFileProblem(const std::string& path) {
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0) {
        return std::strerror(errno);
    }
    if (S_ISDIR(status.st_mode)) {
        return std::strerror(EISDIR);
    }
    if (!S_ISREG(status.st_mode)) {
        return "not a regular file";
    }
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return std::strerror(errno);
    }
    std::array<unsigned char, 64> start{};
    const ssize_t got = ::read(fd, start.data(), start.size());
    ::close(fd);
    if (got > 0 && LooksLikeUtf16(std::string_view(reinterpret_cast<const char*>(start.data()),
                                                   static_cast<std::size_t>(got)))) {
        return "UTF-16 text: save the file as UTF-8";
    }
    return {};
}
