#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>

// Reads one whole file into one buffer of size + 1 bytes, the file's bytes unchanged followed by
// a 0 byte. Derived readers use the members directly and may release the buffer once parsed.
class AFileReader {
public:
    // Throws CFileReaderException when the file does not exist or cannot be opened or read, is a
    // folder, or is not a regular file (a pipe or a device, which could block or never end):
    // it is opened without waiting and checked before anything is read (see OpenRegularFile),
    // and "AFileReader::LoadFile(): File too large!" for a file of 2 GiB or more.
    // The loaded flag is set on success only and never cleared.
    void LoadFile(const std::string& path);

protected:
    AFileReader() = default;
    ~AFileReader() = default;

    void ReleaseBuffer() noexcept {
        buffer.reset();
        size = 0;
    }

    // Read by other threads (the player asks for games while a file may be loading).
    std::atomic<bool> loaded{false};
    std::unique_ptr<char[]> buffer;
    // The number of bytes the buffer holds before its final 0 byte: the size the file reported,
    // or fewer when the file shrank while it was read (bytes beyond the reported size are not
    // read).
    std::int32_t size = 0;
};
