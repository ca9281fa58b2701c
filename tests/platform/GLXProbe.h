#pragma once

#include <array>

// Looks at the calling thread's GLX state. Apart from the tests so that X11's macros (None,
// Bool, ...) stay out of the GoogleTest headers.

bool HasCurrentGLContext();

// Red, green and blue of the pixel (x, y) of the current drawable as the X server shows it,
// y counted from the bottom as in OpenGL: what the last buffer swap presented. Needs a current
// context.
std::array<int, 3> PresentedPixel(int x, int y);
