#include "GLFormat.h"

#include "platform/RendererKind.h"

#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFunctions>

QSurfaceFormat TavrinGLFormat(bool multisample) {
    QSurfaceFormat format;
    format.setRenderableType(QSurfaceFormat::OpenGL);
    format.setProfile(QSurfaceFormat::CompatibilityProfile);
    format.setRedBufferSize(8);
    format.setGreenBufferSize(8);
    format.setBlueBufferSize(8);
    format.setDepthBufferSize(16);
    format.setSwapBehavior(QSurfaceFormat::DoubleBuffer);
    if (multisample) {
        format.setSamples(4);
    }
    return format;
}

namespace {

bool AskRenderer() {
    QOffscreenSurface surface;
    surface.setFormat(TavrinGLFormat());
    surface.create();
    QOpenGLContext context;
    context.setFormat(TavrinGLFormat());
    if (!surface.isValid() || !context.create() || !context.makeCurrent(&surface)) {
        return false;
    }
    const auto* name = reinterpret_cast<const char*>(context.functions()->glGetString(GL_RENDERER));
    const bool hardware = name != nullptr && !IsSoftwareRenderer(name);
    context.doneCurrent();
    return hardware;
}

} // namespace

bool ProbeHardwareRenderer() {
    static const bool hardware = AskRenderer();
    return hardware;
}
