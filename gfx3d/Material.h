#pragma once

#include <GL/glew.h>

// Sets the material of front and back faces: a diffuse and an ambient colour, no emission and
// no specular highlight, and a shininess. Call with the OpenGL context current.
inline void SetDullMaterial(GLfloat diffuse, GLfloat ambient, GLfloat shininess) {
    const GLfloat diffuseColour[] = {diffuse, diffuse, diffuse, 1.0f};
    const GLfloat ambientColour[] = {ambient, ambient, ambient, 1.0f};
    const GLfloat black[] = {0.0f, 0.0f, 0.0f, 1.0f};
    glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, diffuseColour);
    glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, ambientColour);
    glMaterialfv(GL_FRONT_AND_BACK, GL_EMISSION, black);
    glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, black);
    glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, shininess);
}

// The pieces' material: the dull one with a sheen, stronger on the dark wood, whose shape shows
// in its highlights. Call with the OpenGL context current.
inline void SetPieceMaterial(bool dark) {
    SetDullMaterial(0.8f, 0.5f, 80.0f);
    const GLfloat sheen = dark ? 0.45f : 0.18f;
    const GLfloat specular[] = {sheen, sheen, sheen, 1.0f};
    glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, specular);
    glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, 24.0f);
}
