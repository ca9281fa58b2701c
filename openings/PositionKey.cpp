#include "openings/PositionKey.h"

namespace {

// splitmix64: well-mixed 64-bit numbers from a counter, the same with every compiler.
constexpr CPositionKey Mix(std::uint64_t& state) noexcept {
    state += 0x9E3779B97F4A7C15ULL;
    std::uint64_t z = state;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

constexpr CKeyNumbers MakeNumbers() noexcept {
    CKeyNumbers numbers;
    std::uint64_t state = 0x54415652494E4B59ULL;
    for (auto& colour : numbers.piece) {
        for (auto& type : colour) {
            for (CPositionKey& square : type) {
                square = Mix(state);
            }
        }
    }
    numbers.blackToMove = Mix(state);
    for (CPositionKey& right : numbers.castling) {
        right = Mix(state);
    }
    for (CPositionKey& file : numbers.enPassant) {
        file = Mix(state);
    }
    return numbers;
}

constexpr CKeyNumbers kNumbers = MakeNumbers();

} // namespace

const CKeyNumbers& KeyNumbers() noexcept {
    return kNumbers;
}
