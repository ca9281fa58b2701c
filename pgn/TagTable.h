#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The distinct tag values of a run of games, each stored once and named by a 16-bit id: the
// games of a database repeat their players, events and sites, so a game keeps seven ids instead
// of seven texts. Value 0 is the empty text. Filled by one thread; once sealed, never changed,
// so any thread may read it.
class CTagTable {
public:
    static constexpr std::size_t kMaxValues = 65535;

    CTagTable();

    // True when `count` more values, of `bytes` bytes in all, may not fit any more.
    bool Full(std::size_t count, std::size_t bytes) const noexcept;
    // The id of `value`, added when new. The table must not be Full(1, value.size()).
    std::uint16_t Add(std::string_view value);
    // Drops what only adding needs (the hash slots) and the text's spare room.
    void Seal();

    std::size_t Size() const noexcept { return ends.size() - 1; }
    // Value `id` < Size().
    std::string_view Value(std::uint16_t id) const noexcept {
        return {text.data() + ends[id], ends[id + 1u] - ends[id]};
    }
    std::size_t MemoryBytes() const noexcept;

private:
    void Grow();

    std::string text;                 // the values back to back
    std::vector<std::uint32_t> ends;  // 0, then where each value ends (the first is empty)
    std::vector<std::uint16_t> slots; // open addressing: id + 1, or 0 for a free slot
};
