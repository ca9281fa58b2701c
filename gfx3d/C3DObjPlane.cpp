#include "gfx3d/C3DObjPlane.h"

#include "gfx3d/FloorLightMap.h"

#include <GL/glew.h>
#include <algorithm>
#include <vector>

namespace {

// The light map's corner nearest to the viewer's default camera, relative to its position.
constexpr float kNearX = -0.5f * C3DObjPlane::kExtentX;
constexpr float kNearZ = 0.5f * C3DObjPlane::kExtentZ;

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

void C3DObjPlane::LeaveOut(float left, float front, float right, float back) {
    hole = {left, front, right, back};
    hasHole = true;
}

// The floor less the part left out, as up to four strips: in front of it and behind it across
// the whole width, and to its left and right. Texture coordinates run on past the light map,
// whose border texels the clamping repeats.
void C3DObjPlane::Draw() {
    glDisable(GL_LIGHTING);
    glEnable(GL_TEXTURE_2D);
    UpdateLightMap(posX, posZ);
    glBindTexture(GL_TEXTURE_2D, lightMapTexture);
    glColor3f(kFloorColour[0], kFloorColour[1], kFloorColour[2]);
    const float mapX0 = posX + kNearX;
    const float mapZ0 = posZ + kNearZ;
    const float x0 = posX - kReach;
    const float z0 = posZ + kReach;
    const float x1 = posX + kReach;
    const float z1 = posZ - kReach;
    // A rectangle from (left, front) to (right, back), back < front, clipped to the floor.
    auto strip = [&](float left, float front, float right, float back) {
        left = std::max(left, x0);
        right = std::min(right, x1);
        front = std::min(front, z0);
        back = std::max(back, z1);
        if (left >= right || back >= front) {
            return;
        }
        const float s0 = (left - mapX0) / kExtentX;
        const float s1 = (right - mapX0) / kExtentX;
        const float t0 = (mapZ0 - front) / kExtentZ;
        const float t1 = (mapZ0 - back) / kExtentZ;
        glTexCoord2f(s0, t0);
        glVertex3f(left, posY, front);
        glTexCoord2f(s1, t0);
        glVertex3f(right, posY, front);
        glTexCoord2f(s1, t1);
        glVertex3f(right, posY, back);
        glTexCoord2f(s0, t1);
        glVertex3f(left, posY, back);
    };
    glBegin(GL_QUADS);
    if (!hasHole) {
        strip(x0, z0, x1, z1);
    } else {
        strip(x0, z0, x1, hole.front);
        strip(x0, hole.back, x1, z1);
        strip(x0, hole.front, hole.left, hole.back);
        strip(hole.right, hole.front, x1, hole.back);
    }
    glEnd();
    glColor3f(1.0f, 1.0f, 1.0f);
    glEnable(GL_LIGHTING);
}

void C3DObjPlane::MoveTo(float x, float y, float z) {
    posX = x;
    posY = y;
    posZ = z;
}
