#pragma once

// A colour and depth buffer of a fixed size that frames are drawn into instead of a window:
// the picture of a video. Needs framebuffer objects (OpenGL 3.0 or ARB_framebuffer_object).
//
// The thread whose context made it, with that context current.
class COffscreenTarget {
public:
    COffscreenTarget() = default;
    COffscreenTarget(const COffscreenTarget&) = delete;
    COffscreenTarget& operator=(const COffscreenTarget&) = delete;

    // Makes the buffers and directs drawing into them. Throws CGeneralException when the
    // renderer has no framebuffer objects or refuses this size.
    void Create(int width, int height);
    // The framebuffer's name, 0 before Create.
    unsigned Framebuffer() const { return framebuffer; }
    void Release();

private:
    unsigned int framebuffer = 0;
    unsigned int colour = 0;
    unsigned int depth = 0;
};
