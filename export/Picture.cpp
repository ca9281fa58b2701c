#include "export/Picture.h"

#include <algorithm>
#include <cmath>

namespace {

// One channel blended towards `to` by `weight` out of 255.
std::uint8_t Blend(std::uint8_t from, std::uint8_t to, unsigned weight) {
    return static_cast<std::uint8_t>((from * (255u - weight) + to * weight + 127u) / 255u);
}

void BlendPixel(std::uint8_t* pixel, SColour colour, unsigned weight) {
    pixel[0] = Blend(pixel[0], colour.red, weight);
    pixel[1] = Blend(pixel[1], colour.green, weight);
    pixel[2] = Blend(pixel[2], colour.blue, weight);
}

unsigned Weight(float opacity) {
    return static_cast<unsigned>(std::lround(std::clamp(opacity, 0.0f, 1.0f) * 255.0f));
}

} // namespace

void Darken(SPicture& picture, float keep) {
    const unsigned weight = 255u - Weight(keep);
    std::uint8_t* pixel = picture.rgba;
    std::uint8_t* const end =
        pixel + static_cast<std::ptrdiff_t>(picture.width) * picture.height * 4;
    for (; pixel != end; pixel += 4) {
        BlendPixel(pixel, SColour{}, weight);
    }
}

void FillRect(SPicture& picture, int x, int y, int width, int height, SColour colour,
              float opacity) {
    const int left = std::max(x, 0);
    const int right = std::min(x + width, picture.width);
    const unsigned weight = Weight(opacity);
    for (int row = std::max(y, 0); row < std::min(y + height, picture.height); ++row) {
        std::uint8_t* pixel = picture.Row(row) + static_cast<std::ptrdiff_t>(left) * 4;
        for (int column = left; column < right; ++column, pixel += 4) {
            BlendPixel(pixel, colour, weight);
        }
    }
}

// Row by row: each row's span runs between the polygon's crossings of the row's centre line.
void FillPolygon(SPicture& picture, const float* corners, int count, SColour colour,
                 float opacity) {
    if (count < 3) {
        return;
    }
    float top = corners[1];
    float bottom = corners[1];
    for (int i = 1; i < count; ++i) {
        top = std::min(top, corners[2 * i + 1]);
        bottom = std::max(bottom, corners[2 * i + 1]);
    }
    const unsigned weight = Weight(opacity);
    const int firstRow = std::max(static_cast<int>(std::floor(top)), 0);
    const int lastRow = std::min(static_cast<int>(std::ceil(bottom)), picture.height - 1);
    for (int row = firstRow; row <= lastRow; ++row) {
        const float centre = static_cast<float>(row) + 0.5f;
        float from = static_cast<float>(picture.width);
        float to = -1.0f;
        for (int i = 0; i < count; ++i) {
            const float* a = corners + 2 * i;
            const float* b = corners + 2 * ((i + 1) % count);
            if ((a[1] <= centre) == (b[1] <= centre)) {
                continue;
            }
            const float x = a[0] + (centre - a[1]) * (b[0] - a[0]) / (b[1] - a[1]);
            from = std::min(from, x);
            to = std::max(to, x);
        }
        const int left = std::max(static_cast<int>(std::lround(from)), 0);
        const int right = std::min(static_cast<int>(std::lround(to)), picture.width);
        std::uint8_t* pixel = picture.Row(row) + static_cast<std::ptrdiff_t>(left) * 4;
        for (int column = left; column < right; ++column, pixel += 4) {
            BlendPixel(pixel, colour, weight);
        }
    }
}

void DrawText(SPicture& picture, const CTextImage& text, int x, int y, SColour colour) {
    const int left = std::max(x, 0);
    const int right = std::min(x + text.width, picture.width);
    for (int row = std::max(y, 0); row < std::min(y + text.height, picture.height); ++row) {
        const std::uint8_t* coverage =
            text.coverage.data() + static_cast<std::ptrdiff_t>(row - y) * text.width + (left - x);
        std::uint8_t* pixel = picture.Row(row) + static_cast<std::ptrdiff_t>(left) * 4;
        for (int column = left; column < right; ++column, pixel += 4, ++coverage) {
            if (*coverage != 0) {
                BlendPixel(pixel, colour, *coverage);
            }
        }
    }
}
