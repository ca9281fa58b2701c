#pragma once

#include <cstddef>
#include <cstdint>

class CTagTable;

// Blocks of memory that hold games' tag ids and moves. Each starts at a multiple of
// kGameBlockAlign with a header naming the tag table its games' ids name and the block's end,
// so that a game finds its tags from the address of its moves alone and keeps no pointer of its
// own for them. Moves grow from the start, each game's preceded by its slot (its place among
// the block's games); the games' tag ids grow down from the end, slot 0's last, so that the
// ids of all games of a block lie back to back for a search to read.
inline constexpr std::size_t kGameBlockAlign = std::size_t{1} << 20;

struct CGameBlockHeader {
    const CTagTable* tags = nullptr;
    const std::uint16_t* end = nullptr; // the games' tag ids lie below it
};

// The header of the block that holds `inBlock`, an address within the block's first
// kGameBlockAlign bytes.
inline const CGameBlockHeader& GameBlockOf(const void* inBlock) noexcept {
    const auto start = reinterpret_cast<std::uintptr_t>(inBlock) & ~(kGameBlockAlign - 1);
    return *reinterpret_cast<const CGameBlockHeader*>(start);
}

// One block: fresh memory of at least `bytes` bytes, aligned to kGameBlockAlign, its header
// set to `tags` and its end, and its first `touched` bytes mapped at once (one call instead of a
// page fault a page, which costs more than the parse on some virtual machines). Throws
// std::bad_alloc.
class CGameBlock {
public:
    CGameBlock(std::size_t bytes, std::size_t touched, const CTagTable* tags);
    CGameBlock(CGameBlock&& other) noexcept : start(other.start), size(other.size) {
        other.start = nullptr;
    }
    CGameBlock(const CGameBlock&) = delete;
    CGameBlock& operator=(const CGameBlock&) = delete;
    CGameBlock& operator=(CGameBlock&&) = delete;
    ~CGameBlock();

    // Where the games' data may start (after the header), and the block's end.
    std::byte* Begin() const noexcept { return start + sizeof(CGameBlockHeader); }
    std::byte* End() const noexcept { return start + size; }

private:
    std::byte* start;
    std::size_t size;
};
