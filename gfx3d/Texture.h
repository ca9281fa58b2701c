#pragma once

#include <string>

// Loads a TGA file into a new OpenGL 2D texture, left bound to GL_TEXTURE_2D. 24-bit images are
// uploaded as RGB, 32-bit as RGBA; other depths leave the texture without an image. Throws
// C3DObjectException "Cannot load texture from file '<path>'!" when the file cannot be decoded;
// nothing is generated then. Call on the thread that owns the current OpenGL context.
// `texture` is a GLuint.
void LoadTexture(const std::string& path, unsigned int& texture);
