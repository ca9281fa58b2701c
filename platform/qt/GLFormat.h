#pragma once

#include <QSurfaceFormat>

// The OpenGL format of the viewer: a fixed-function (compatibility) context with 24-bit colour,
// 16-bit depth and two buffers, and with `multisample` 4 samples per pixel. For Qt code only
// (the viewer's window and the picture tool).
QSurfaceFormat TavrinGLFormat(bool multisample = false);

// Whether a context of the viewer's format, made on a hidden surface, reports a hardware
// renderer (platform/RendererKind.h). Asked once per process; false when no context can be
// made. Interface thread.
bool ProbeHardwareRenderer();
