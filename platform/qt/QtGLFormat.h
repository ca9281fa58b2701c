#pragma once

#include <QSurfaceFormat>

// The OpenGL format of the viewer, exported for Qt code outside this library (the piece picture
// tool): a fixed-function (compatibility) context with 24-bit colour, 16-bit depth and two
// buffers, and with `multisample` 4 samples per pixel.
QSurfaceFormat TavrinGLFormat(bool multisample = false);
