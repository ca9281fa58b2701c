#pragma once

#include "chess/Position.h"

#include <array>
#include <cstdint>

// A 64-bit key of a position: pieces on squares, side to move, castling rights and a legal
// en-passant capture. Equal positions have equal keys; unequal positions collide with a
// chance of about 2^-64 a pair.
using CPositionKey = std::uint64_t;

// The random numbers the key is made of (Zobrist hashing): one per piece on a square
// (square index as CChessboardState::Index), one for Black to move, one per castling right
// and one per en-passant file. Fixed, so that keys are the same in every run.
struct CKeyNumbers {
    std::array<std::array<std::array<CPositionKey, 64>, 6>, 2> piece{}; // [colour][type][square]
    CPositionKey blackToMove = 0;
    std::array<CPositionKey, 4> castling{}; // by bit of ECastlingRight (chess/Position.h)
    std::array<CPositionKey, 8> enPassant{};
};

const CKeyNumbers& KeyNumbers() noexcept;

constexpr CPositionKey CastlingKey(const CKeyNumbers& numbers, std::uint8_t rights) noexcept {
    CPositionKey key = 0;
    for (int bit = 0; bit < 4; ++bit) {
        if (rights & (1 << bit)) {
            key ^= numbers.castling[static_cast<std::size_t>(bit)];
        }
    }
    return key;
}
