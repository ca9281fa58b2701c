#include "gfx3d/BoardGeometry.h"

#include <cstddef>

SVec3 SquareOffset(int row, int column, const SVec3& board) {
    return {static_cast<float>(column) * kSquareSize + board.x, board.y,
            board.z - static_cast<float>(row) * kSquareSize};
}

bool IsRedWoodSquare(int row, int column) {
    return (row + column) % 2 == 0;
}
