#pragma once

#include <string>
#include <vector>

// A piece model prepared as the viewer prepares it: scaled uniformly so that its larger
// horizontal extent is kPieceWidth, moved up or down to stand on y = 0, mirrored in z (the
// file's +z points away from White's camera in the viewer; the normals are mirrored with it so
// that the light falls as it should), texture coordinates scaled as the viewer scales them.
// Its x and z stay centred as modelled, so a model that is off-centre shows off-centre.
struct SPieceMesh {
    static constexpr float kPieceWidth = 15.0f;
    static constexpr float kTexCoordScale = 0.6f;

    std::vector<float> positions; // x, y, z per triangle corner
    std::vector<float> normals;   // x, y, z per triangle corner
    std::vector<float> texCoords; // s, t per triangle corner
    float height = 0.0f;

    int VertexCount() const { return static_cast<int>(positions.size() / 3); }
};

// Loads an OBJ file with the viewer's loader and prepares it. Throws what the loader throws
// (CGeneralException and derived classes).
SPieceMesh LoadPieceMesh(const std::string& path);

// Prepares corner arrays of three floats each (texture coordinates too, of which s and t are
// kept).
SPieceMesh PreparePieceMesh(const float* positions, const float* normals, const float* texCoords,
                            int vertexCount);
