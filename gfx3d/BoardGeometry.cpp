#include "gfx3d/BoardGeometry.h"

#include <cstddef>

SVec3 SquareOffset(int row, int column, const SVec3& board) {
    return {static_cast<float>(column) * kSquareSize + board.x, board.y,
            board.z - static_cast<float>(row) * kSquareSize};
}

bool IsRedWoodSquare(int row, int column) {
    return (row + column) % 2 == 0;
}

namespace {

// Whether the block quad facing `normal` of the square at (row, column) lies against a
// neighbouring block or the floor.
bool FaceHidden(const float* normal, int row, int column) {
    if (normal[1] < 0.0f) {
        return true;
    }
    const int columnStep = static_cast<int>(normal[0]);
    const int rowStep = -static_cast<int>(normal[2]); // rows run towards -z
    const int nextRow = row + rowStep;
    const int nextColumn = column + columnStep;
    const bool sideways = columnStep != 0 || rowStep != 0;
    return sideways && nextRow >= 0 && nextRow < kBoardSquares && nextColumn >= 0 &&
           nextColumn < kBoardSquares;
}

} // namespace

SBoardBatch BuildBoardBatch(bool redWood) {
    SBoardBatch batch;
    for (int row = 0; row < kBoardSquares; ++row) {
        for (int column = 0; column < kBoardSquares; ++column) {
            if (IsRedWoodSquare(row, column) != redWood) {
                continue;
            }
            const SVec3 offset = SquareOffset(row, column, {});
            for (int quad = 0; quad < kBlockVertexCount / 4; ++quad) {
                const std::size_t first = static_cast<std::size_t>(quad) * 4;
                if (FaceHidden(&kBlockNormals[first * 3], row, column)) {
                    continue;
                }
                for (std::size_t v = first; v < first + 4; ++v) {
                    batch.positions.push_back(kBlockPositions[v * 3] + offset.x);
                    batch.positions.push_back(kBlockPositions[v * 3 + 1] + offset.y);
                    batch.positions.push_back(kBlockPositions[v * 3 + 2] + offset.z);
                    batch.normals.insert(batch.normals.end(), &kBlockNormals[v * 3],
                                         &kBlockNormals[v * 3] + 3);
                    batch.texCoords.insert(batch.texCoords.end(), &kBlockTexCoords[v * 2],
                                           &kBlockTexCoords[v * 2] + 2);
                }
            }
        }
    }
    return batch;
}
