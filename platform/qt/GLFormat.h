#pragma once

#include "QtGLFormat.h"

// Whether a context of the viewer's format, made on a hidden surface, reports a hardware
// renderer (platform/RendererKind.h). Asked once per process; false when no context can be
// made. Interface thread.
bool ProbeHardwareRenderer();
