#include "QtOffscreenSurface.h"

#include "GLFormat.h"
#include "GlyphRasterizer.h"
#include "QtPlatform.h"
#include "QtTextPainter.h"

#include <QOffscreenSurface>
#include <QOpenGLContext>

CQtOffscreenSurface::CQtOffscreenSurface(int width, int height)
    : width(width), height(height), surface(std::make_unique<QOffscreenSurface>()) {
    surface->setFormat(TavrinGLFormat(false));
    surface->create();
}

// The worker has released its context by now; one left behind is released here.
CQtOffscreenSurface::~CQtOffscreenSurface() {
    context.reset();
    surface->destroy();
}

bool CQtOffscreenSurface::CreateContext(std::string& error) {
    DestroyContext();
    if (!surface->isValid()) {
        error = "Cannot make an OpenGL surface off screen!";
        return false;
    }
    auto created = std::make_unique<QOpenGLContext>();
    created->setFormat(TavrinGLFormat(false));
    created->setShareContext(QOpenGLContext::globalShareContext());
    if (!created->create()) {
        error = "Cannot create the OpenGL context!";
        return false;
    }
    if (!created->makeCurrent(surface.get())) {
        error = "Cannot make the OpenGL context current!";
        return false;
    }
    context = std::move(created);
    return true;
}

void CQtOffscreenSurface::DestroyContext() {
    if (context) {
        context->doneCurrent();
        context.reset();
    }
}

std::vector<CGlyphBitmap> CQtOffscreenSurface::RasterizeGlyphs(char32_t first, int count) {
    return RasterizeFontGlyphs(first, count);
}

std::unique_ptr<IGLSurface> CreateOffscreenSurface(int width, int height) {
    return std::make_unique<CQtOffscreenSurface>(width, height);
}

std::unique_ptr<ITextPainter> CreateTextPainter() {
    return std::make_unique<CQtTextPainter>();
}
