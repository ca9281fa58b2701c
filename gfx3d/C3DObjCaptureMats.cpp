#include "gfx3d/C3DObjCaptureMats.h"

#include "gfx3d/BoardFrame.h"

#include <GL/glew.h>

namespace {

// A muted green baize, lit from within a little so that it reads as a lit strip beside the
// dark floor in every view.
constexpr GLfloat kFelt[4] = {0.36f, 0.47f, 0.40f, 1.0f};
constexpr GLfloat kFeltGlow[4] = {0.09f, 0.12f, 0.1f, 1.0f};

// One mat: its top and its four sides, counter-clockwise seen from outside.
void DrawMat(float left) {
    const float right = left + kMatWidth;
    const float front = kMatFront;
    const float back = kMatBack;
    const float top = kMatHeight;
    glNormal3f(0.0f, 1.0f, 0.0f);
    glVertex3f(left, top, front);
    glVertex3f(right, top, front);
    glVertex3f(right, top, back);
    glVertex3f(left, top, back);
    glNormal3f(0.0f, 0.0f, 1.0f);
    glVertex3f(left, 0.0f, front);
    glVertex3f(right, 0.0f, front);
    glVertex3f(right, top, front);
    glVertex3f(left, top, front);
    glNormal3f(0.0f, 0.0f, -1.0f);
    glVertex3f(right, 0.0f, back);
    glVertex3f(left, 0.0f, back);
    glVertex3f(left, top, back);
    glVertex3f(right, top, back);
    glNormal3f(-1.0f, 0.0f, 0.0f);
    glVertex3f(left, 0.0f, back);
    glVertex3f(left, 0.0f, front);
    glVertex3f(left, top, front);
    glVertex3f(left, top, back);
    glNormal3f(1.0f, 0.0f, 0.0f);
    glVertex3f(right, 0.0f, front);
    glVertex3f(right, 0.0f, back);
    glVertex3f(right, top, back);
    glVertex3f(right, top, front);
}

} // namespace

void C3DObjCaptureMats::Draw() {
    glDisable(GL_TEXTURE_2D);
    glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, kFelt);
    glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, kFelt);
    glMaterialfv(GL_FRONT_AND_BACK, GL_EMISSION, kFeltGlow);
    const GLfloat none[4] = {0.0f, 0.0f, 0.0f, 1.0f};
    glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, none);
    glBegin(GL_QUADS);
    DrawMat(kWhiteMatLeft);
    DrawMat(kBlackMatLeft);
    glEnd();
    glMaterialfv(GL_FRONT_AND_BACK, GL_EMISSION, none);
    glEnable(GL_TEXTURE_2D);
}

void C3DObjCaptureMats::MoveTo(float x, float y, float z) {
    posX = x;
    posY = y;
    posZ = z;
}
