#pragma once

#include "platform/GLSurface.h"

#include <memory>

class QOffscreenSurface;
class QOpenGLContext;

// A surface without a window for drawing off screen on a worker thread: made and destroyed on
// the interface thread (as Qt asks), its context made, used and destroyed on the worker. The
// context shares its objects with every other context of the program (Qt's global share
// context), so that it draws with the buffers and textures the window's context made. Frames
// go into a framebuffer object of the surface's size: SwapBuffers does nothing.
class CQtOffscreenSurface final : public IGLSurface {
public:
    CQtOffscreenSurface(int width, int height);
    ~CQtOffscreenSurface() override;

    bool CreateContext(std::string& error) override;
    void SwapBuffers() override {}
    void DestroyContext() override;

    int Width() const override { return width; }
    int Height() const override { return height; }
    int DesktopWidth() const override { return width; }
    int DesktopHeight() const override { return height; }
    void SetResizeHandler(std::function<void(int width, int height)>) override {}
    void SetExposeHandler(std::function<void()>) override {}
    std::vector<CGlyphBitmap> RasterizeGlyphs(char32_t first, int count) override;
    // Off screen nothing is fatal to the program: the text is kept for the caller.
    void ReportFatalError(const std::string& text) override { fatalError = text; }

private:
    const int width;
    const int height;
    std::unique_ptr<QOffscreenSurface> surface;
    std::unique_ptr<QOpenGLContext> context;
    std::string fatalError;
};
