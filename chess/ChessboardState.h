#pragma once

#include "chess/Field.h"

#include <array>

// The 64 squares. A square is (file, rank), both 0..7: file 0..7 is a..h, rank 0..7 is 1..8.
// Storage is file-major: (file, rank) is element file * 8 + rank.
class CChessboardState {
public:
    // Both forms check the file, then the rank, against 0..7 and throw
    // CChessboardStateException outside it; nothing changes then.
    CField GetField(const int& file, const int& rank) const {
        CheckCoords(file, rank);
        return fields[static_cast<std::size_t>(Index(file, rank))];
    }
    CField& GetField(const int& file, const int& rank) {
        CheckCoords(file, rank);
        return fields[static_cast<std::size_t>(Index(file, rank))];
    }

    bool operator==(const CChessboardState&) const = default;

    // Empties every square, then sets up the standard starting position.
    void SetInitialPosition();

    // The storage element of a square; exposed so that the storage order can be verified.
    static constexpr int Index(int file, int rank) { return file * 8 + rank; }
    const CField& Element(int index) const { return fields[static_cast<std::size_t>(index)]; }

private:
    static void CheckCoords(const int& file, const int& rank) {
        if (static_cast<unsigned>(file) > 7 || static_cast<unsigned>(rank) > 7) {
            ThrowOutOfRange();
        }
    }
    [[noreturn]] static void ThrowOutOfRange();

    std::array<CField, 64> fields{};
};
