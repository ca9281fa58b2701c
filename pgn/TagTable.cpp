#include "pgn/TagTable.h"

#include <cassert>
#include <functional>
#include <limits>

namespace {
constexpr std::size_t kFirstSlots = 1024;
}

CTagTable::CTagTable() : ends{0, 0}, slots(kFirstSlots) {
}

bool CTagTable::Full(std::size_t count, std::size_t bytes) const noexcept {
    return Size() + count > kMaxValues ||
           text.size() + bytes > std::numeric_limits<std::uint32_t>::max();
}

void CTagTable::Grow() {
    std::vector<std::uint16_t> grown(slots.size() * 2);
    const std::size_t mask = grown.size() - 1;
    for (std::size_t id = 1; id < Size(); ++id) {
        std::size_t slot = std::hash<std::string_view>{}(Value(static_cast<std::uint16_t>(id)));
        while (grown[slot & mask] != 0) {
            ++slot;
        }
        grown[slot & mask] = static_cast<std::uint16_t>(id + 1);
    }
    slots = std::move(grown);
}

std::uint16_t CTagTable::Add(std::string_view value) {
    if (value.empty()) {
        return 0;
    }
    assert(!slots.empty() && !Full(1, value.size()));
    const std::size_t mask = slots.size() - 1;
    std::size_t slot = std::hash<std::string_view>{}(value);
    for (; slots[slot & mask] != 0; ++slot) {
        const auto id = static_cast<std::uint16_t>(slots[slot & mask] - 1);
        if (Value(id) == value) {
            return id;
        }
    }
    const auto id = static_cast<std::uint16_t>(Size());
    text.append(value);
    ends.push_back(static_cast<std::uint32_t>(text.size()));
    slots[slot & mask] = static_cast<std::uint16_t>(id + 1);
    if (Size() * 2 > slots.size()) {
        Grow();
    }
    return id;
}

void CTagTable::Seal() {
    slots = {};
    text.shrink_to_fit();
    ends.shrink_to_fit();
}

std::size_t CTagTable::MemoryBytes() const noexcept {
    return text.capacity() + ends.capacity() * sizeof(std::uint32_t) +
           slots.capacity() * sizeof(std::uint16_t);
}
