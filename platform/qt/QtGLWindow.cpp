#include "QtGLWindow.h"

#include "FatalError.h"
#include "GLFormat.h"
#include "GlyphRasterizer.h"
#include "QtDrop.h"
#include "QtKeys.h"
#include "platform/ShellEvents.h"

#include <QCursor>
#include <QDropEvent>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QOpenGLContext>
#include <QScreen>
#include <QWheelEvent>
#include <cmath>
#include <memory>

namespace {

int ToDevicePixels(int length, qreal ratio) {
    return static_cast<int>(std::lround(length * ratio));
}

} // namespace

CQtGLWindow::CQtGLWindow()
    : hardwareAccelerated(ProbeHardwareRenderer()), glFormat(TavrinGLFormat(hardwareAccelerated)) {
    setSurfaceType(QSurface::OpenGLSurface);
    // Its name lets tools outside the program find the view on the display.
    setTitle(QStringLiteral("GLWindow"));
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
    // Off-screen contexts (a video's) draw with the buffers and textures this one makes.
    created->setShareContext(QOpenGLContext::globalShareContext());
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

void CQtGLWindow::SetExposeHandler(std::function<void()> handler) {
    exposeHandler = std::move(handler);
}

void CQtGLWindow::exposeEvent(QExposeEvent* event) {
    PublishSizes();
    QWindow::exposeEvent(event);
    if (exposeHandler && isExposed()) {
        exposeHandler();
    }
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

void CQtGLWindow::SetMouseCaptured(bool captured) {
    mouseCaptured = captured;
    if (captured) {
        captureAnchor = QCursor::pos();
    }
    setMouseGrabEnabled(captured);
}

namespace {

bool ToShellButton(Qt::MouseButton button, EMouseButton& shellButton) {
    if (button == Qt::LeftButton) {
        shellButton = EMouseButton::Left;
        return true;
    }
    if (button == Qt::RightButton) {
        shellButton = EMouseButton::Right;
        return true;
    }
    return false;
}

} // namespace

void CQtGLWindow::mousePressEvent(QMouseEvent* event) {
    EMouseButton button{};
    if (eventSink != nullptr && ToShellButton(event->button(), button) &&
        eventSink->OnButtonDown(button)) {
        event->accept();
        return;
    }
    QWindow::mousePressEvent(event);
}

void CQtGLWindow::mouseReleaseEvent(QMouseEvent* event) {
    EMouseButton button{};
    if (eventSink != nullptr && ToShellButton(event->button(), button) &&
        eventSink->OnButtonUp(button)) {
        event->accept();
        return;
    }
    QWindow::mouseReleaseEvent(event);
}

// The pointer is put back to the anchor after every reported step, so a drag can go on
// without end in any direction; the move that putting it back causes reports nothing.
void CQtGLWindow::mouseMoveEvent(QMouseEvent* event) {
    if (!mouseCaptured || eventSink == nullptr) {
        QWindow::mouseMoveEvent(event);
        return;
    }
    const QPoint offset = event->globalPosition().toPoint() - captureAnchor;
    if (!offset.isNull()) {
        eventSink->OnRawMouseMotion(offset.x(), offset.y());
        QCursor::setPos(captureAnchor);
    }
    event->accept();
}

void CQtGLWindow::wheelEvent(QWheelEvent* event) {
    if (eventSink != nullptr && eventSink->OnMouseWheel(event->angleDelta().y())) {
        event->accept();
        return;
    }
    QWindow::wheelEvent(event);
}

void CQtGLWindow::keyPressEvent(QKeyEvent* event) {
    if (eventSink != nullptr && eventSink->OnKeyDown(VirtualKey(*event))) {
        event->accept();
        return;
    }
    QWindow::keyPressEvent(event);
}

bool CQtGLWindow::event(QEvent* event) {
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove:
        AcceptFileDrag(*static_cast<QDropEvent*>(event), eventSink);
        return true;
    case QEvent::Drop:
        DeliverDroppedFiles(*static_cast<QDropEvent*>(event), eventSink);
        return true;
    default:
        return QWindow::event(event);
    }
}
