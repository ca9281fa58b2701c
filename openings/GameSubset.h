#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

// A set of games of a list by their list index, such as the games table's search results: one
// bit a game, so that a membership test costs a memory read. Read-only once made; any thread.
class CGameSubset {
public:
    // The games of `games` (in any order) below `listSize`; the others are left out.
    CGameSubset(std::span<const std::uint32_t> games, std::size_t listSize);

    bool Contains(std::uint32_t game) const noexcept {
        const std::size_t word = game / 64;
        return word < bits.size() && (bits[word] >> (game % 64) & 1) != 0;
    }
    std::size_t Size() const noexcept { return count; }

private:
    std::vector<std::uint64_t> bits;
    std::size_t count = 0;
};
