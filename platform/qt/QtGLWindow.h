#pragma once

#include "platform/GLSurface.h"

#include <QSurfaceFormat>
#include <QWindow>
#include <atomic>

class IShellEvents;
class QOpenGLContext;

// The OpenGL child window. The interface thread owns the window and publishes its sizes in
// atomics; the render thread owns the context and reaches the window only through it.
class CQtGLWindow final : public QWindow, public IGLSurface {
public:
    CQtGLWindow();
    ~CQtGLWindow() override;

    bool CreateContext(std::string& error) override;
    void SwapBuffers() override;
    void DestroyContext() override;

    bool HardwareAccelerated() const override { return hardwareAccelerated; }
    int Width() const override { return clientWidth.load(std::memory_order_relaxed); }
    int Height() const override { return clientHeight.load(std::memory_order_relaxed); }
    int DesktopWidth() const override { return desktopWidth.load(std::memory_order_relaxed); }
    int DesktopHeight() const override { return desktopHeight.load(std::memory_order_relaxed); }

    void SetResizeHandler(std::function<void(int width, int height)> handler) override;
    void SetExposeHandler(std::function<void()> handler) override;
    std::vector<CGlyphBitmap> RasterizeGlyphs(char32_t first, int count) override;
    void ReportFatalError(const std::string& text) override;

    // Mouse and key input goes to `events` once set. Interface thread.
    void SetEventSink(IShellEvents* events) { eventSink = events; }
    // While captured, the window keeps the mouse and the pointer stays at the point where the
    // capture began; each move is reported as relative motion from there.
    void SetMouseCaptured(bool captured);

protected:
    void exposeEvent(QExposeEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    // Files dragged onto the view go to the event sink like those dropped on the main window.
    bool event(QEvent* event) override;

private:
    void PublishSizes();

    // Read by the render thread; fixed at construction, so they need no lock. The format asks
    // for multisample buffers on a hardware renderer only.
    const bool hardwareAccelerated;
    const QSurfaceFormat glFormat;
    QOpenGLContext* context = nullptr; // render thread only
    std::atomic<int> clientWidth{0};
    std::atomic<int> clientHeight{0};
    std::atomic<int> desktopWidth{0};
    std::atomic<int> desktopHeight{0};
    std::function<void(int, int)> resizeHandler; // interface thread only
    std::function<void()> exposeHandler;         // interface thread only
    IShellEvents* eventSink = nullptr;
    bool mouseCaptured = false;
    QPoint captureAnchor; // global position of the pointer while captured
};
