#include "QtGLWindow.h"

#include "FatalError.h"
#include "GLFormat.h"
#include "GlyphRasterizer.h"

#include <QGuiApplication>
#include <QOpenGLContext>
#include <QScreen>
#include <cmath>
#include <memory>

namespace {

int ToDevicePixels(int length, qreal ratio) {
    return static_cast<int>(std::lround(length * ratio));
}

} // namespace

CQtGLWindow::CQtGLWindow() : glFormat(TavrinGLFormat()) {
    setSurfaceType(QSurface::OpenGLSurface);
    setFormat(glFormat);
    connect(this, &QWindow::screenChanged, this, [this] { PublishSizes(); });
    PublishSizes();
}

// The render thread has ended by now and normally destroyed its context; one left behind is
// released here rather than leaked.
CQtGLWindow::~CQtGLWindow() {
    delete context;
}

bool CQtGLWindow::CreateContext(std::string& error) {
    DestroyContext();
    auto created = std::make_unique<QOpenGLContext>();
    created->setFormat(glFormat);
    if (!created->create()) {
        error = "Cannot create the OpenGL context!";
        return false;
    }
    // Fails while the window has no native window yet, i.e. before it was first shown.
    if (!created->makeCurrent(this)) {
        error = "Cannot make the OpenGL context current!";
        return false;
    }
    context = created.release();
    return true;
}

void CQtGLWindow::SwapBuffers() {
    if (context != nullptr) {
        context->swapBuffers(this);
    }
}

void CQtGLWindow::DestroyContext() {
    if (context != nullptr) {
        context->doneCurrent();
        delete context;
        context = nullptr;
    }
}

void CQtGLWindow::SetResizeHandler(std::function<void(int width, int height)> handler) {
    resizeHandler = std::move(handler);
}

std::vector<CGlyphBitmap> CQtGLWindow::RasterizeGlyphs(char32_t first, int count) {
    return RasterizeFontGlyphs(first, count);
}

void CQtGLWindow::ReportFatalError(const std::string& text) {
    PostFatalError(text);
}

void CQtGLWindow::exposeEvent(QExposeEvent* event) {
    PublishSizes();
    QWindow::exposeEvent(event);
}

void CQtGLWindow::resizeEvent(QResizeEvent* event) {
    PublishSizes();
    QWindow::resizeEvent(event);
    if (resizeHandler) {
        resizeHandler(Width(), Height());
    }
}

void CQtGLWindow::PublishSizes() {
    const qreal ratio = devicePixelRatio();
    clientWidth.store(ToDevicePixels(width(), ratio), std::memory_order_relaxed);
    clientHeight.store(ToDevicePixels(height(), ratio), std::memory_order_relaxed);
    if (const QScreen* desktop = QGuiApplication::primaryScreen()) {
        const qreal desktopRatio = desktop->devicePixelRatio();
        desktopWidth.store(ToDevicePixels(desktop->geometry().width(), desktopRatio),
                           std::memory_order_relaxed);
        desktopHeight.store(ToDevicePixels(desktop->geometry().height(), desktopRatio),
                            std::memory_order_relaxed);
    }
}
