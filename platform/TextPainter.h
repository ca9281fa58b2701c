#pragma once

#include <cstdint>
#include <string>
#include <vector>

// A line of text as coverage: 0 (none) to 255 (full) a pixel, rows top first, `width` bytes a
// row. `baseline` is the row the letters stand on, counted from the top.
struct CTextImage {
    int width = 0;
    int height = 0;
    int baseline = 0;
    std::vector<std::uint8_t> coverage;
};

// Text drawn at any size, antialiased, for pictures made off screen (a video's titles and
// captions). Any thread once the application object exists.
class ITextPainter {
public:
    virtual ~ITextPainter() = default;

    // `text` (UTF-8) on one line in the program's sans font, `pixelSize` pixels high, bold or
    // regular. An empty text gives an empty image of the font's height.
    virtual CTextImage Paint(const std::string& text, int pixelSize, bool bold) const = 0;
};
