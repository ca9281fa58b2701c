#pragma once

#include <memory>
#include <string>

struct AVFrame;

// Turns RGBA pictures into 8-bit palette pictures for a GIF through FFmpeg's filters: a palette
// of up to 256 colours made for each picture from its own colours, and error diffusion
// against it, so that the wood's gradients keep their look. Pictures come out in the order they
// go in, possibly later. One thread at a time.
class CGifQuantizer {
public:
    // Throws CExportException when the filters cannot be set up.
    CGifQuantizer(int width, int height, int fps);
    ~CGifQuantizer();
    CGifQuantizer(const CGifQuantizer&) = delete;
    CGifQuantizer& operator=(const CGifQuantizer&) = delete;

    // Hands an RGBA frame in (null: no more frames). Throws CExportException on a failure.
    void Push(AVFrame* rgba);
    // The next palette frame into `out` (unreferenced first); false while none is ready.
    bool Pull(AVFrame* out);

private:
    struct SGraph;
    std::unique_ptr<SGraph> graph;
};
