#include "gfx3d/PieceModel.h"

#include <algorithm>
#include <cstddef>
#include <limits>

SPieceModelArrays PreparePieceModel(const float* positions, const float* normals,
                                    const float* texCoords, int vertexCount) {
    SPieceModelArrays model;
    if (vertexCount <= 0) {
        return model;
    }
    const std::size_t floats = static_cast<std::size_t>(vertexCount) * 3;
    model.vertexCount = vertexCount;
    model.positions.assign(positions, positions + floats);
    model.normals.assign(normals, normals + floats);
    model.texCoords.assign(texCoords, texCoords + floats);

    float lowX = std::numeric_limits<float>::max();
    float highX = std::numeric_limits<float>::lowest();
    for (std::size_t i = 0; i < floats; i += 3) {
        lowX = std::min(lowX, model.positions[i]);
        highX = std::max(highX, model.positions[i]);
    }
    const float width = highX - lowX;
    const float scale = width > 0.0f ? static_cast<float>(kPieceModelWidth / width) : 1.0f;

    float low[3];
    std::fill(low, low + 3, std::numeric_limits<float>::max());
    for (std::size_t i = 0; i < floats; ++i) {
        model.positions[i] *= scale;
        low[i % 3] = std::min(low[i % 3], model.positions[i]);
    }
    // The differences are taken first, so that the smallest x, the smallest y and the largest z
    // land exactly on 0, kPieceModelBase and 0.
    for (std::size_t i = 0; i < floats; i += 3) {
        model.positions[i] -= low[0];
        model.positions[i + 1] = (model.positions[i + 1] - low[1]) + kPieceModelBase;
        model.positions[i + 2] = low[2] - model.positions[i + 2];
    }
    // The geometry is mirrored in z, so the normals must be too: lit with the file's normals,
    // every face turned towards -z would be shaded as if it faced +z, and the other way round.
    for (std::size_t i = 2; i < floats; i += 3) {
        model.normals[i] = -model.normals[i];
    }
    for (float& coordinate : model.texCoords) {
        coordinate *= kPieceTexCoordScale;
    }
    return model;
}

const char* PieceModelFile(EPieceType kind) {
    switch (kind) {
    case Pawn:
        return "Pawn.obj";
    case Knight:
        return "Knight.obj";
    case Bishop:
        return "Bishop.obj";
    case Rook:
        return "Rook.obj";
    case Queen:
        return "Dame.obj";
    case King:
        return "King.obj";
    }
    return "Pawn.obj";
}
