#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

// A file's bytes read front to back from a given offset, a buffer at a time, for a decoder that
// consumes what it can of each buffer. Owns its descriptor.
class CFileInput {
public:
    // Takes `fd`, an open regular file of `size` bytes, and starts at `start`.
    CFileInput(int fd, std::uint64_t start, std::uint64_t size);
    ~CFileInput();
    CFileInput(const CFileInput&) = delete;
    CFileInput& operator=(const CFileInput&) = delete;

    // The bytes not yet consumed, read from the file when none are left; empty at the file's
    // end. Throws CDecompressionException when the file cannot be read.
    std::string_view Available();
    // Takes n <= Available().size() bytes as consumed.
    void Consume(std::size_t n) noexcept { begin += n; }
    // The file offset of the next byte not consumed.
    std::uint64_t Position() const noexcept { return bufferStart + begin; }
    std::uint64_t Size() const noexcept { return size; }

private:
    int fd;
    std::uint64_t size;
    std::uint64_t bufferStart;
    std::unique_ptr<char[]> buffer;
    std::size_t begin = 0;
    std::size_t end = 0;
};
