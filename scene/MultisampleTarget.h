#pragma once

// An off-screen 4x multisampled colour and depth buffer that a frame is drawn into and then
// resolved onto the window's back buffer: smooth edges on a window whose surface has no
// multisample buffers. Needs framebuffer objects (OpenGL 3.0 or ARB_framebuffer_object).
//
// Render thread only, with the context current.
class CMultisampleTarget {
public:
    static constexpr int kSamples = 4;

    CMultisampleTarget() = default;
    CMultisampleTarget(const CMultisampleTarget&) = delete;
    CMultisampleTarget& operator=(const CMultisampleTarget&) = delete;

    // Directs drawing into the buffers, (re)made for this size; false, drawing left on the
    // window, when the renderer has no multisampled framebuffer objects.
    bool Begin(int width, int height);
    // Resolves the picture onto the window's back buffer, or onto framebuffer `target` when it
    // is not 0, and directs drawing there again.
    void End(unsigned target = 0);
    void Release();

private:
    unsigned int framebuffer = 0;
    unsigned int colour = 0;
    unsigned int depth = 0;
    int width = 0;
    int height = 0;
    bool failed = false;
};
