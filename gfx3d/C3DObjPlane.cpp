#include "gfx3d/C3DObjPlane.h"

#include "gfx3d/FloorLightMap.h"

#include <GL/glew.h>
#include <vector>

namespace {

// The floor's corner nearest to the viewer's default camera, relative to its position.
constexpr float kNearX = -0.5f * C3DObjPlane::kExtentX;
constexpr float kNearZ = 0.5f * C3DObjPlane::kExtentZ - 2.0f;

GLuint lightMapTexture = 0;
// The plane position the light map was computed for.
float lightMapX = 0.0f;
float lightMapZ = 0.0f;
int instanceCount = 0;

} // namespace

C3DObjPlane::C3DObjPlane() : A3DObject(0.0f, 0.0f, 0.0f) {
    ++instanceCount;
}

C3DObjPlane::~C3DObjPlane() {
    if (--instanceCount == 0) {
        DeleteClassObjects();
    }
}

int C3DObjPlane::InstanceCount() {
    return instanceCount;
}

// The lights stand still in the world, so the map belongs to the place the floor covers.
void C3DObjPlane::UpdateLightMap(float x, float z) {
    if (lightMapTexture != 0 && lightMapX == x && lightMapZ == z) {
        return;
    }
    const std::vector<std::uint8_t> texels =
        BuildFloorLightMap(kLightMapSize, x + kNearX, z + kNearZ, kExtentX, kExtentZ);
    if (lightMapTexture == 0) {
        glGenTextures(1, &lightMapTexture);
    }
    lightMapX = x;
    lightMapZ = z;
    glBindTexture(GL_TEXTURE_2D, lightMapTexture);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_LUMINANCE, kLightMapSize, kLightMapSize, 0, GL_LUMINANCE,
                 GL_UNSIGNED_BYTE, texels.data());
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
}

void C3DObjPlane::DeleteClassObjects() {
    glDeleteTextures(1, &lightMapTexture);
    lightMapTexture = 0;
}

void C3DObjPlane::Draw() {
    glDisable(GL_LIGHTING);
    glEnable(GL_TEXTURE_2D);
    UpdateLightMap(posX, posZ);
    glBindTexture(GL_TEXTURE_2D, lightMapTexture);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
    const float x0 = posX + kNearX;
    const float z0 = posZ + kNearZ;
    const float x1 = x0 + kExtentX;
    const float z1 = z0 - kExtentZ;
    glBegin(GL_QUADS);
    glTexCoord2f(0.0f, 0.0f);
    glVertex3f(x0, posY, z0);
    glTexCoord2f(1.0f, 0.0f);
    glVertex3f(x1, posY, z0);
    glTexCoord2f(1.0f, 1.0f);
    glVertex3f(x1, posY, z1);
    glTexCoord2f(0.0f, 1.0f);
    glVertex3f(x0, posY, z1);
    glEnd();
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glEnable(GL_LIGHTING);
}

void C3DObjPlane::MoveTo(float x, float y, float z) {
    posX = x;
    posY = y;
    posZ = z;
}
