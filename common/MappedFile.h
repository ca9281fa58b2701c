#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

struct CLoadProgress;

// A regular file mapped read-only into memory: a large file is read without copying it into
// fresh memory, which on some machines costs more than parsing it. The file is opened and
// checked as OpenRegularFile does. Should the file shrink while it is mapped, the bytes that
// vanished read as 0 instead of ending the process (a guard catches the bus error), and Changed()
// tells.
class CMappedFile {
public:
    // Throws CFileReaderException as OpenRegularFile does. With `progress`, brings the file into
    // memory a chunk at a time, counted in progress->read, and stops early when the load is
    // cancelled.
    CMappedFile(const std::string& path, CLoadProgress* progress);
    ~CMappedFile();
    CMappedFile(const CMappedFile&) = delete;
    CMappedFile& operator=(const CMappedFile&) = delete;

    std::string_view Text() const noexcept { return {data, length}; }
    // The file's modification time as it was opened, in nanoseconds since the epoch.
    std::int64_t ModifiedNs() const noexcept { return modifiedNs; }
    // True when the file shrank while it was mapped: part of Text() then reads as 0 bytes.
    bool Changed() const noexcept;

private:
    const char* data = nullptr;
    std::size_t length = 0;
    std::int64_t modifiedNs = 0;
    int guardSlot = -1;
};
