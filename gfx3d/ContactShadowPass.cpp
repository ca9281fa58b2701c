#include "gfx3d/ContactShadowPass.h"

#include <GL/glew.h>
#include <cstdint>

namespace {

constexpr int kImageSize = 64;

} // namespace

void CContactShadowPass::Draw(const std::vector<SContactShadow>& shadows) {
    if (texture == 0) {
        const std::vector<std::uint8_t> image = ContactShadowImage(kImageSize);
        glGenTextures(1, &texture);
        glBindTexture(GL_TEXTURE_2D, texture);
        glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_ALPHA, kImageSize, kImageSize, 0, GL_ALPHA,
                     GL_UNSIGNED_BYTE, image.data());
        glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    }
    glDisable(GL_LIGHTING);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, texture);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glDepthMask(GL_FALSE);
    // The 16-bit depth buffer cannot tell the shadow from the surface it lies on by height.
    glEnable(GL_POLYGON_OFFSET_FILL);
    glPolygonOffset(-1.0f, -8.0f);
    glBegin(GL_QUADS);
    for (const SContactShadow& s : shadows) {
        if (s.opacity <= 0.0f) {
            continue;
        }
        glColor4f(0.0f, 0.0f, 0.0f, s.opacity);
        glTexCoord2f(0.0f, 0.0f);
        glVertex3f(s.x - s.halfSize, s.y, s.z + s.halfSize);
        glTexCoord2f(1.0f, 0.0f);
        glVertex3f(s.x + s.halfSize, s.y, s.z + s.halfSize);
        glTexCoord2f(1.0f, 1.0f);
        glVertex3f(s.x + s.halfSize, s.y, s.z - s.halfSize);
        glTexCoord2f(0.0f, 1.0f);
        glVertex3f(s.x - s.halfSize, s.y, s.z - s.halfSize);
    }
    glEnd();
    glDisable(GL_POLYGON_OFFSET_FILL);
    glDepthMask(GL_TRUE);
    glDisable(GL_BLEND);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    glEnable(GL_LIGHTING);
}

void CContactShadowPass::Release() {
    if (texture != 0) {
        glDeleteTextures(1, &texture);
        texture = 0;
    }
}
