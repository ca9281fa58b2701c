#include "gfx3d/TGAImage.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

// Any bytes are decoded. A decoded image must hold exactly width x height pixels of the
// declared depth, each byte readable; a refused one must hold nothing and say why. A crash, a
// sanitizer report or a broken invariant is a finding.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    CTGAImage image;
    const int status = image.Decode(data, size);
    if (status != CTGAImage::kLoaded) {
        const bool known = status == CTGAImage::kCannotOpen || status == CTGAImage::kNoMemory ||
                           status == CTGAImage::kBadFormat || status == CTGAImage::kUnsupported;
        if (!known || (status == CTGAImage::kCannotOpen) != (size == 0) ||
            !image.Pixels().empty() || !image.Palette().empty() || image.Problem().empty()) {
            std::abort();
        }
        return 0;
    }
    const std::size_t expected = static_cast<std::size_t>(image.BitsPerPixel() / 8) *
                                 static_cast<std::size_t>(image.Width()) *
                                 static_cast<std::size_t>(image.Height());
    const bool mapped = image.ImageType() == 1 || image.ImageType() == 9;
    if (image.Width() < 1 || image.Height() < 1 || image.Pixels().size() != expected ||
        static_cast<std::size_t>(image.ImageSize()) != expected ||
        image.Palette().size() != (mapped ? 1024U : 0U) || (mapped && image.BitsPerPixel() != 8) ||
        (!mapped && image.BitsPerPixel() < 24)) {
        std::abort();
    }
    unsigned sum = 0;
    for (const std::uint8_t byte : image.Pixels()) {
        sum += byte;
    }
    for (const std::uint8_t byte : image.Palette()) {
        sum += byte;
    }
    volatile unsigned sink = sum;
    static_cast<void>(sink);
    return 0;
}
