#include "gfx3d/BoardMarksPass.h"

#include "gfx3d/CoordinateGlyphs.h"

#include <GL/glew.h>
#include <cstdint>

namespace {

constexpr int kGlyphCellTexels = 64;

// State shared by both marks: blended over the surface, no depth writes, offset towards the
// viewer (the 16-bit depth buffer cannot tell a mark from the surface it lies on by height).
void BeginSurfaceMarks() {
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glDepthMask(GL_FALSE);
    glEnable(GL_POLYGON_OFFSET_FILL);
    glPolygonOffset(-1.0f, -8.0f);
}

void EndSurfaceMarks() {
    glDisable(GL_POLYGON_OFFSET_FILL);
    glDepthMask(GL_TRUE);
    glDisable(GL_BLEND);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
}

unsigned int MakeGlyphTexture() {
    const int side = kGlyphCellTexels * kGlyphAtlasColumns;
    const std::vector<std::uint8_t> atlas = CoordinateGlyphAtlas(kGlyphCellTexels);
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    // Seen from afar the labels shrink to a few pixels: mipmaps keep them from shimmering.
    glTexParameteri(GL_TEXTURE_2D, GL_GENERATE_MIPMAP, GL_TRUE);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_ALPHA, side, side, 0, GL_ALPHA, GL_UNSIGNED_BYTE,
                 atlas.data());
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    return texture;
}

} // namespace

void CBoardMarksPass::DrawCoordinates(EPieceColor viewer) {
    if (glyphTexture == 0) {
        glyphTexture = MakeGlyphTexture();
    }
    const GLfloat inlay[] = {0.95f, 0.86f, 0.66f, 1.0f};
    const GLfloat inlayAmbient[] = {0.3f, 0.27f, 0.2f, 1.0f};
    glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, inlay);
    glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, inlayAmbient);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, glyphTexture);
    BeginSurfaceMarks();
    const float half = kCoordinateLabelSize * 0.5f;
    const float cell = 1.0f / kGlyphAtlasColumns;
    glBegin(GL_QUADS);
    glNormal3f(0.0f, 1.0f, 0.0f);
    for (const SCoordinateLabel& label : CoordinateLabels(viewer)) {
        const int index = CoordinateGlyphIndex(label.glyph);
        const float s0 = static_cast<float>(index % kGlyphAtlasColumns) * cell;
        const float t0 = static_cast<float>(index / kGlyphAtlasColumns) * cell;
        // `up` is `right` turned a quarter to the left, seen from above.
        const float rx = label.rightX * half;
        const float rz = label.rightZ * half;
        const float ux = label.rightZ * half;
        const float uz = -label.rightX * half;
        glTexCoord2f(s0, t0);
        glVertex3f(label.x - rx - ux, kBlockHeight, label.z - rz - uz);
        glTexCoord2f(s0 + cell, t0);
        glVertex3f(label.x + rx - ux, kBlockHeight, label.z + rz - uz);
        glTexCoord2f(s0 + cell, t0 + cell);
        glVertex3f(label.x + rx + ux, kBlockHeight, label.z + rz + uz);
        glTexCoord2f(s0, t0 + cell);
        glVertex3f(label.x - rx + ux, kBlockHeight, label.z - rz + uz);
    }
    glEnd();
    EndSurfaceMarks();
}

void CBoardMarksPass::DrawTints(const std::vector<SSquareTint>& tints) {
    if (tints.empty()) {
        return;
    }
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    BeginSurfaceMarks();
    glBegin(GL_QUADS);
    for (const SSquareTint& tint : tints) {
        const float x0 = kSquareSize * static_cast<float>(tint.file);
        const float z0 = -kSquareSize * static_cast<float>(tint.rank);
        glColor4f(tint.red, tint.green, tint.blue, tint.alpha);
        glVertex3f(x0, kBlockHeight, z0);
        glVertex3f(x0 + kSquareSize, kBlockHeight, z0);
        glVertex3f(x0 + kSquareSize, kBlockHeight, z0 - kSquareSize);
        glVertex3f(x0, kBlockHeight, z0 - kSquareSize);
    }
    glEnd();
    EndSurfaceMarks();
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_LIGHTING);
}

void CBoardMarksPass::DrawArrow(const std::vector<std::array<float, 2>>& triangles) {
    if (triangles.empty()) {
        return;
    }
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    BeginSurfaceMarks();
    glColor4f(0.12f, 0.62f, 0.28f, 0.7f);
    glBegin(GL_TRIANGLES);
    for (const auto& point : triangles) {
        glVertex3f(point[0], kBlockHeight, point[1]);
    }
    glEnd();
    EndSurfaceMarks();
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_LIGHTING);
}

void CBoardMarksPass::Release() {
    if (glyphTexture != 0) {
        glDeleteTextures(1, &glyphTexture);
        glyphTexture = 0;
    }
}
