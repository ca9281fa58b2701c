#include "GLXProbe.h"

#include <GL/glx.h>
#include <X11/Xutil.h>
#include <bit>

namespace {

int Channel(unsigned long pixel, unsigned long mask) {
    return static_cast<int>((pixel & mask) >> std::countr_zero(mask));
}

} // namespace

bool HasCurrentGLContext() {
    return glXGetCurrentContext() != nullptr;
}

std::array<int, 3> PresentedPixel(int x, int y) {
    Display* display = glXGetCurrentDisplay();
    const GLXDrawable drawable = glXGetCurrentDrawable();
    Window root = 0;
    int left = 0, top = 0;
    unsigned width = 0, height = 0, border = 0, depth = 0;
    XGetGeometry(display, drawable, &root, &left, &top, &width, &height, &border, &depth);
    XImage* image =
        XGetImage(display, drawable, x, static_cast<int>(height) - 1 - y, 1, 1, AllPlanes, ZPixmap);
    if (image == nullptr) {
        return {-1, -1, -1};
    }
    const unsigned long pixel = XGetPixel(image, 0, 0);
    const std::array<int, 3> rgb{Channel(pixel, image->red_mask), Channel(pixel, image->green_mask),
                                 Channel(pixel, image->blue_mask)};
    XDestroyImage(image);
    return rgb;
}
