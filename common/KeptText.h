#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// Stretches of a long text kept in memory compressed, in frames of at most 1 MB of text, so
// that any range of them can be read again at the cost of a frame or two: for text that cannot
// be read again quickly from its file. Filled by one thread; once shared, only read, from any
// thread.
class CKeptText {
public:
    CKeptText() = default;
    CKeptText(const CKeptText&) = delete;
    CKeptText& operator=(const CKeptText&) = delete;

    // Compresses `text`, which stands `offset` bytes into the whole text, after the stretches
    // kept before (offsets ascending, not overlapping). Throws std::bad_alloc.
    void Keep(std::uint64_t offset, std::string_view text);
    // True when every byte of [offset, offset + length) is kept.
    bool Holds(std::uint64_t offset, std::uint64_t length) const noexcept;
    // Appends the kept range [offset, offset + length) to `out`; Holds() must be true. Throws
    // CDecompressionException should a frame not decompress.
    void Read(std::uint64_t offset, std::uint64_t length, std::string& out) const;
    // The memory the frames take.
    std::size_t MemoryBytes() const noexcept { return memory; }

private:
    struct CFrame {
        std::uint64_t offset = 0; // of its text in the whole text
        std::uint32_t length = 0; // of its text
        std::uint32_t size = 0;   // compressed
        std::unique_ptr<char[]> data;
    };
    std::vector<CFrame> frames;
    std::size_t memory = 0;
};
