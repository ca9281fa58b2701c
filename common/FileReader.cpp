#include "pgn/FileReader.h"

#include "pgn/PGNExceptions.h"

#include <cstdio>
#include <limits>
#include <sys/stat.h>

void AFileReader::LoadFile(const std::string& path) {
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0) {
        throw CFileReaderException("AFileReader::LoadFile(): Cannot determine file size!");
    }
    // The size is a signed 32-bit value; a larger file cannot be held.
    if (status.st_size > std::numeric_limits<std::int32_t>::max() - 1) {
        throw CFileReaderException("AFileReader::LoadFile(): File too large!");
    }
    size = static_cast<std::int32_t>(status.st_size);
    buffer = std::make_unique<char[]>(static_cast<std::size_t>(size) + 1);
    buffer[static_cast<std::size_t>(size)] = 0;

    std::FILE* file = S_ISDIR(status.st_mode) ? nullptr : std::fopen(path.c_str(), "rb");
    if (!file) {
        throw CFileReaderException("AFileReader::LoadFile(): Cannot open file for reading!");
    }
    // A file that changed since its size was read: at most `size` bytes are taken, and when it
    // yields fewer, the size shrinks to what was read so that no unfilled byte counts as text.
    const std::size_t got = std::fread(buffer.get(), 1, static_cast<std::size_t>(size), file);
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (failed) {
        throw CFileReaderException("AFileReader::LoadFile(): Cannot open file for reading!");
    }
    size = static_cast<std::int32_t>(got);
    buffer[got] = 0;
    loaded = true;
}
