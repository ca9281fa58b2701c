#pragma once

#include "platform/TextPainter.h"

#include <cstdint>

// A colour, 0 to 255 a channel.
struct SColour {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
};

// An RGBA picture as OpenGL reads it back: `width` x `height`, rows of width * 4 bytes, the
// bottom row first. Coordinates below count from the top-left corner; whatever falls outside
// the picture is left out.
struct SPicture {
    std::uint8_t* rgba = nullptr;
    int width = 0;
    int height = 0;

    std::uint8_t* Row(int y) const {
        return rgba + static_cast<std::ptrdiff_t>(height - 1 - y) * width * 4;
    }
};

// Every pixel keeps `keep` (0 to 1) of its brightness.
void Darken(SPicture& picture, float keep);
// A rectangle in `colour` over the picture at `opacity` (0 to 1).
void FillRect(SPicture& picture, int x, int y, int width, int height, SColour colour,
              float opacity);
// A convex polygon in `colour` at `opacity`, its corners (x, y) pairs in pixels.
void FillPolygon(SPicture& picture, const float* corners, int count, SColour colour, float opacity);
// The text's coverage in `colour`, its top-left corner at (x, y).
void DrawText(SPicture& picture, const CTextImage& text, int x, int y, SColour colour);
