#pragma once

#include "chess/Piece.h"

#include <vector>

// A piece model ready for its vertex buffers: three floats per triangle corner in each array
// (texture coordinates keep the loader's three components).
struct SPieceModelArrays {
    std::vector<float> positions;
    std::vector<float> normals;
    std::vector<float> texCoords;
    int vertexCount = 0;
};

// Width in x of every prepared piece model, in world units (a square is 25).
inline constexpr double kPieceModelWidth = 15.000000596046448;
// Height of the board's top face, on which every prepared model stands.
inline constexpr float kPieceModelBase = 7.0f;
inline constexpr float kPieceTexCoordScale = 0.6f;

// Prepares the loader's arrays (vertexCount corners, three floats each) for the viewer:
// - scaled uniformly so that the model is kPieceModelWidth wide in x;
// - moved so that its smallest x is 0 and its smallest y is kPieceModelBase;
// - mirrored in z so that its largest z is 0 and the file's +z points to -z;
// - texture coordinates multiplied by kPieceTexCoordScale.
// A model without extent in x keeps its size.
SPieceModelArrays PreparePieceModel(const float* positions, const float* normals,
                                    const float* texCoords, int vertexCount);

// The model file of a piece kind, a name inside the asset folder ("Pawn.obj", ...).
const char* PieceModelFile(EPieceType kind);
