#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// Receives each finished picture: width * height RGBA pixels, rows from bottom to top as
// OpenGL reads them.
using PictureSink = std::function<void(const std::string& name, int width, int height,
                                       const std::vector<std::uint8_t>& rgba)>;

struct SRenderOptions {
    std::string gfxFolder = "gfx";
    // Camera distance from the piece's middle, in model units (a piece is 15 units wide).
    float distance = 150.0f;
};

// Loads the GL entry points for the current context. Returns an empty string, or the reason.
std::string InitGlew();

// Renders every piece model found in the gfx folder in white and in black, from the front, the
// side and above, and one overview of all of them. Models or textures that cannot be loaded
// are reported on stderr and skipped. Needs a current context on which InitGlew succeeded;
// throws std::runtime_error when off-screen rendering is not available. Returns the number of
// pictures delivered.
int RenderPieces(const SRenderOptions& options, const PictureSink& sink);
