#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// One glyph of the bitmap font, in the form glBitmap takes it.
struct CGlyphBitmap {
    int width = 0;  // pixels
    int height = 0; // pixels
    float xOrigin = 0.0f;
    float yOrigin = 0.0f;
    float advance = 0.0f;           // pen movement after the glyph
    std::vector<std::uint8_t> rows; // `height` rows, bottom row first, each (width + 7) / 8
                                    // bytes, most significant bit leftmost
};

// The OpenGL child window as the render thread sees it. The context calls (CreateContext,
// SwapBuffers, DestroyContext) are made on the render thread only; the sizes are published by
// the interface thread and may be read from any thread.
class IGLSurface {
public:
    virtual ~IGLSurface() = default;

    // Creates a compatibility-profile context (24-bit colour, 16-bit depth, double buffer) on
    // the window and makes it current on the calling thread. On failure returns false with the
    // reason in `error`.
    virtual bool CreateContext(std::string& error) = 0;
    virtual void SwapBuffers() = 0;
    // Releases the context; afterwards the calling thread has no current context.
    virtual void DestroyContext() = 0;

    // Whether the renderer found when the window was made draws with hardware (GL_RENDERER
    // names no software renderer, platform/RendererKind.h). Only then does the window's surface
    // carry 4x multisample buffers, which a software renderer would pay for on every frame even
    // with multisampling switched off. A surface that cannot tell says no.
    virtual bool HardwareAccelerated() const { return false; }

    // Client size of the window and size of the desktop, in pixels.
    virtual int Width() const = 0;
    virtual int Height() const = 0;
    virtual int DesktopWidth() const = 0;
    virtual int DesktopHeight() const = 0;

    // Called on the interface thread with the new client size after every resize of the
    // window (the receiver hands it to the render thread).
    virtual void SetResizeHandler(std::function<void(int width, int height)> handler) = 0;
    // Called on the interface thread whenever part of the window must be drawn again, e.g.
    // after a menu or a box that covered it has gone.
    virtual void SetExposeHandler(std::function<void()> handler) = 0;

    // Glyphs of a bold 15-pixel sans font ("Arial", or a metric-compatible one) for the code
    // points first .. first + count - 1. Callable on the render thread.
    virtual std::vector<CGlyphBitmap> RasterizeGlyphs(char32_t first, int count) = 0;

    // Shows an "Error" box with the text on the interface thread, then ends the program with a
    // non-zero exit code. Callable from any thread.
    virtual void ReportFatalError(const std::string& text) = 0;
};
