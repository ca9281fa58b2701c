#pragma once

#include <array>

// Steps between squares, as (file step, rank step), shared by the source searches and the
// attack test. The knight and king orders are the source searches' search orders.
struct CStep {
    int file;
    int rank;
};

inline constexpr std::array<CStep, 8> kKnightSteps = {
    {{1, 2}, {2, 1}, {2, -1}, {1, -2}, {-1, -2}, {-2, -1}, {-2, 1}, {-1, 2}}};
inline constexpr std::array<CStep, 8> kKingSteps = {
    {{0, 1}, {1, 1}, {1, 0}, {1, -1}, {0, -1}, {-1, -1}, {-1, 0}, {-1, 1}}};

constexpr bool Inside(int file, int rank) {
    return file >= 0 && file < 8 && rank >= 0 && rank < 8;
}
