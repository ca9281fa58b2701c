#include "openings/GameSubset.h"

CGameSubset::CGameSubset(std::span<const std::uint32_t> games, std::size_t listSize)
    : bits((listSize + 63) / 64, 0) {
    for (const std::uint32_t game : games) {
        if (game < listSize && !Contains(game)) {
            bits[game / 64] |= std::uint64_t{1} << (game % 64);
            ++count;
        }
    }
}
