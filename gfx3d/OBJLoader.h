#pragma once

#include "common/FileReader.h"

#include <string>
#include <string_view>
#include <vector>

// Reads a triangulated Wavefront OBJ model (v, vt, vn and f a/b/c lines) into three flat arrays,
// one entry of three floats per face corner: positions, normals and texture coordinates, ready
// to be drawn as GL_TRIANGLES without indices.
//
// A load first discards the previous model. When the file cannot be read or its text is refused,
// the loader holds no model: VertexCount() is 0 and the arrays are empty, never half filled. The
// accessors throw only while no file has ever been read (a read file whose text is refused still
// counts as read, as the file reader's loaded flag is never cleared).
class COBJLoader : public virtual AFileReader {
public:
    // Reads and parses the file; the file buffer is released afterwards. Failures of the file
    // read propagate as CFileReaderException; a face reference not in the form a/b/c, an index
    // outside the file's elements, a face with fewer than three corners or a model too large for
    // 32-bit counts throws COBJLoaderException.
    void Load(const std::string& path);
    // Parses a text held in memory exactly as Load parses a file's bytes, and marks the loader
    // loaded as a successful file read does.
    void LoadText(std::string_view text);

    // Each throws COBJLoaderException until a file was loaded. The arrays hold VertexCount() * 3
    // floats each.
    const float* Vertices() const;
    const float* Normals() const;
    const float* TexCoords() const;
    int VertexCount() const;

private:
    void Discard() noexcept;
    void Parse(std::string_view text);

    std::vector<float> positions;
    std::vector<float> normals;
    std::vector<float> texCoords;
    int cornerCount = 0;
};
