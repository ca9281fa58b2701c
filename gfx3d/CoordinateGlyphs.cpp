#include "gfx3d/CoordinateGlyphs.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace {

// A stroke: a straight line from (x0, y0) to (x1, y1), or, when r > 0, an arc round (x0, y0)
// of radius r from angle x1 to angle y1 (degrees, counter-clockwise). Cell fractions.
struct SStroke {
    float x0, y0, x1, y1, r = 0.0f;
};

SStroke Line(float x0, float y0, float x1, float y1) {
    return {x0, y0, x1, y1};
}
SStroke Arc(float cx, float cy, float r, float from, float to) {
    return {cx, cy, from, to, r};
}
SStroke Circle(float cx, float cy, float r) {
    return Arc(cx, cy, r, 0.0f, 360.0f);
}

constexpr float kStrokeHalfWidth = 0.045f;
constexpr int kArcSegments = 32;
constexpr float kPi = 3.14159265f;

// A geometric sans: x-height 0.65, bowls of radius 0.2 round y = 0.45.
std::vector<SStroke> GlyphStrokes(char c) {
    switch (c) {
    case 'a':
        return {Circle(0.47f, 0.45f, 0.2f), Line(0.67f, 0.25f, 0.67f, 0.65f)};
    case 'b':
        return {Circle(0.53f, 0.45f, 0.2f), Line(0.33f, 0.25f, 0.33f, 0.85f)};
    case 'c':
        return {Arc(0.52f, 0.45f, 0.2f, 50.0f, 310.0f)};
    case 'd':
        return {Circle(0.47f, 0.45f, 0.2f), Line(0.67f, 0.25f, 0.67f, 0.85f)};
    case 'e':
        return {Arc(0.52f, 0.45f, 0.2f, 0.0f, 315.0f), Line(0.32f, 0.45f, 0.72f, 0.45f)};
    case 'f':
        return {Line(0.46f, 0.25f, 0.46f, 0.7f), Arc(0.61f, 0.7f, 0.15f, 20.0f, 180.0f),
                Line(0.32f, 0.62f, 0.62f, 0.62f)};
    case 'g':
        return {Circle(0.47f, 0.45f, 0.2f), Line(0.67f, 0.65f, 0.67f, 0.22f),
                Arc(0.52f, 0.22f, 0.15f, 200.0f, 360.0f)};
    case 'h':
        return {Line(0.33f, 0.25f, 0.33f, 0.85f), Arc(0.5f, 0.47f, 0.17f, 0.0f, 180.0f),
                Line(0.67f, 0.47f, 0.67f, 0.25f)};
    case '1':
        return {Line(0.53f, 0.25f, 0.53f, 0.85f), Line(0.53f, 0.85f, 0.38f, 0.74f)};
    case '2':
        return {Arc(0.5f, 0.69f, 0.16f, -40.0f, 160.0f), Line(0.623f, 0.587f, 0.33f, 0.25f),
                Line(0.33f, 0.25f, 0.69f, 0.25f)};
    case '3':
        return {Arc(0.5f, 0.71f, 0.14f, -90.0f, 150.0f), Arc(0.5f, 0.41f, 0.16f, -150.0f, 90.0f)};
    case '4':
        return {Line(0.6f, 0.25f, 0.6f, 0.85f), Line(0.6f, 0.85f, 0.32f, 0.42f),
                Line(0.32f, 0.42f, 0.72f, 0.42f)};
    case '5':
        return {Line(0.67f, 0.85f, 0.38f, 0.85f), Line(0.38f, 0.85f, 0.37f, 0.57f),
                Arc(0.5f, 0.43f, 0.18f, -150.0f, 130.0f)};
    case '6':
        return {Circle(0.5f, 0.42f, 0.17f), Arc(0.73f, 0.42f, 0.4f, 100.0f, 180.0f)};
    case '7':
        return {Line(0.33f, 0.85f, 0.69f, 0.85f), Line(0.69f, 0.85f, 0.44f, 0.25f)};
    case '8':
        return {Circle(0.5f, 0.705f, 0.145f), Circle(0.5f, 0.405f, 0.155f)};
    default:
        return {};
    }
}

float SegmentDistance(float px, float py, float ax, float ay, float bx, float by) {
    const float dx = bx - ax;
    const float dy = by - ay;
    const float length2 = dx * dx + dy * dy;
    const float t =
        length2 > 0.0f ? std::clamp(((px - ax) * dx + (py - ay) * dy) / length2, 0.0f, 1.0f) : 0.0f;
    return std::hypot(px - (ax + t * dx), py - (ay + t * dy));
}

float StrokeDistance(const SStroke& s, float px, float py) {
    if (s.r <= 0.0f) {
        return SegmentDistance(px, py, s.x0, s.y0, s.x1, s.y1);
    }
    float best = 1e9f;
    const float from = s.x1 * kPi / 180.0f;
    const float step = (s.y1 - s.x1) * kPi / 180.0f / kArcSegments;
    for (int i = 0; i < kArcSegments; ++i) {
        const float a = from + step * static_cast<float>(i);
        const float b = a + step;
        best = std::min(best,
                        SegmentDistance(px, py, s.x0 + s.r * std::cos(a), s.y0 + s.r * std::sin(a),
                                        s.x0 + s.r * std::cos(b), s.y0 + s.r * std::sin(b)));
    }
    return best;
}

} // namespace

int CoordinateGlyphIndex(char c) {
    const std::size_t at = kCoordinateGlyphs.find(c);
    return at == std::string_view::npos ? -1 : static_cast<int>(at);
}

std::vector<std::uint8_t> CoordinateGlyphAtlas(int cellSize) {
    cellSize = std::max(cellSize, 1);
    const int side = cellSize * kGlyphAtlasColumns;
    std::vector<std::uint8_t> image(static_cast<std::size_t>(side) *
                                    static_cast<std::size_t>(side));
    const float texel = 1.0f / static_cast<float>(cellSize);
    for (int glyph = 0; glyph < static_cast<int>(kCoordinateGlyphs.size()); ++glyph) {
        const std::vector<SStroke> strokes =
            GlyphStrokes(kCoordinateGlyphs[static_cast<std::size_t>(glyph)]);
        const int left = glyph % kGlyphAtlasColumns * cellSize;
        const int bottom = glyph / kGlyphAtlasColumns * cellSize;
        for (int row = 0; row < cellSize; ++row) {
            for (int column = 0; column < cellSize; ++column) {
                const float u = (static_cast<float>(column) + 0.5f) * texel;
                const float v = (static_cast<float>(row) + 0.5f) * texel;
                float distance = 1e9f;
                for (const SStroke& stroke : strokes) {
                    distance = std::min(distance, StrokeDistance(stroke, u, v));
                }
                const float cover =
                    std::clamp((kStrokeHalfWidth - distance) / texel + 0.5f, 0.0f, 1.0f);
                image[static_cast<std::size_t>(bottom + row) * static_cast<std::size_t>(side) +
                      static_cast<std::size_t>(left + column)] =
                    static_cast<std::uint8_t>(std::lround(cover * 255.0f));
            }
        }
    }
    return image;
}
