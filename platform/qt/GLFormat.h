#pragma once

#include <QSurfaceFormat>

// The OpenGL format of the viewer: a fixed-function (compatibility) context with 24-bit colour,
// 16-bit depth and two buffers. For Qt code only (the viewer's window and the picture tool).
QSurfaceFormat TavrinGLFormat();
