#include "gfx3d/C3DObjTurnMarker.h"

#include "gfx3d/BoardFrame.h"
#include "gfx3d/BoardGeometry.h"

#include <GL/glew.h>
#include <array>
#include <cmath>

namespace {

// The disc's outline from the rim of its top to its foot: (radius, height), with a rounded edge.
constexpr std::array<std::array<float, 2>, 5> kOutline = {
    {{4.1f, 2.3f}, {4.75f, 2.1f}, {5.1f, 1.6f}, {5.2f, 0.9f}, {5.2f, 0.0f}}};
constexpr int kSegments = 28;

// Boxwood and ebony, as the pieces, with a sheen so that the dark one shows on the frame.
constexpr GLfloat kIvory[4] = {0.93f, 0.88f, 0.76f, 1.0f};
constexpr GLfloat kEbony[4] = {0.13f, 0.1f, 0.08f, 1.0f};
constexpr GLfloat kSheen[4] = {0.6f, 0.6f, 0.6f, 1.0f};

} // namespace

C3DObjTurnMarker::C3DObjTurnMarker() : A3DObject(kWhiteX, kBlockHeight, kWhiteZ) {
}

// The corners are opposite each other across the board's centre.
void C3DObjTurnMarker::SetSide(EPieceColor newSide) {
    side = newSide;
    const float centre = kSquareSize * kBoardSquares / 2.0f;
    posX = side == White ? kWhiteX : 2.0f * centre - kWhiteX;
    posZ = side == White ? kWhiteZ : -2.0f * centre - kWhiteZ;
}

void C3DObjTurnMarker::Draw() {
    glDisable(GL_TEXTURE_2D);
    const GLfloat* colour = side == White ? kIvory : kEbony;
    glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, colour);
    glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, colour);
    glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, kSheen);
    glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, 24.0f);
    glPushMatrix();
    glTranslatef(posX, posY, posZ);
    // The top, then each band of the outline round the axis.
    glBegin(GL_TRIANGLE_FAN);
    glNormal3f(0.0f, 1.0f, 0.0f);
    glVertex3f(0.0f, kOutline[0][1], 0.0f);
    for (int k = 0; k <= kSegments; ++k) {
        const float a = 2.0f * 3.14159265f * static_cast<float>(k) / kSegments;
        glVertex3f(kOutline[0][0] * std::cos(a), kOutline[0][1], -kOutline[0][0] * std::sin(a));
    }
    glEnd();
    for (std::size_t band = 0; band + 1 < kOutline.size(); ++band) {
        glBegin(GL_QUAD_STRIP);
        for (int k = 0; k <= kSegments; ++k) {
            const float a = 2.0f * 3.14159265f * static_cast<float>(k) / kSegments;
            for (std::size_t i : {band, band + 1}) {
                // The normal of the outline's slope there, turned round the axis.
                const std::size_t from = i == 0 ? 0 : i - 1;
                const std::size_t to = i + 1 < kOutline.size() ? i + 1 : i;
                const float dr = kOutline[to][0] - kOutline[from][0];
                const float dy = kOutline[to][1] - kOutline[from][1];
                const float length = std::sqrt(dr * dr + dy * dy);
                const float nr = -dy / length;
                const float ny = dr / length;
                glNormal3f(nr * std::cos(a), ny, -nr * std::sin(a));
                glVertex3f(kOutline[i][0] * std::cos(a), kOutline[i][1],
                           -kOutline[i][0] * std::sin(a));
            }
        }
        glEnd();
    }
    glPopMatrix();
    const GLfloat none[4] = {0.0f, 0.0f, 0.0f, 1.0f};
    glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, none);
    glEnable(GL_TEXTURE_2D);
}

void C3DObjTurnMarker::MoveTo(float x, float y, float z) {
    posX = x;
    posY = y;
    posZ = z;
}
