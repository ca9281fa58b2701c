#include "tools/asset-gen/WoodGrain.h"

#include "tools/asset-gen/Noise.h"

#include <cmath>
#include <cstddef>

namespace {

float Clamp01(float x) {
    return x < 0.0f ? 0.0f : (x > 1.0f ? 1.0f : x);
}

float SmoothStep(float edge0, float edge1, float x) {
    const float t = Clamp01((x - edge0) / (edge1 - edge0));
    return t * t * (3.0f - 2.0f * t);
}

float Mix(float a, float b, float t) {
    return a + (b - a) * t;
}

SWoodStyle::SColour Mix(const SWoodStyle::SColour& a, const SWoodStyle::SColour& b, float t) {
    return {Mix(a.r, b.r, t), Mix(a.g, b.g, t), Mix(a.b, b.b, t)};
}

// The colour at texture coordinates (s, t), s across the grain, t along it.
SWoodStyle::SColour Sample(const SWoodStyle& style, float s, float t) {
    const std::uint32_t seed = style.seed * 16u;
    // Rings drift sideways slowly along the grain; a weaker, finer drift bends them locally.
    const float drift =
        PeriodicFbm(s, t, style.waveCellsAcross, style.waveCellsAlong, 3, 0.45f, seed + 1) +
        0.3f * PeriodicFbm(s, t, style.waveCellsAcross * 3, style.waveCellsAlong * 2, 2, 0.5f,
                           seed + 2);
    const float jitter = PeriodicFbm(s, t, style.rings / 2 + 1, 1, 2, 0.5f, seed + 3);
    const float phase =
        static_cast<float>(style.rings) * s + style.waviness * drift + style.ringJitter * jitter;
    const float inRing = phase - std::floor(phase);
    // Latewood lines fade in and out along their length.
    const float strength =
        Clamp01(0.7f + 0.6f * PeriodicFbm(s, t, style.rings / 2 + 1, 2, 2, 0.5f, seed + 4));
    // Each ring darkens towards its end; the band's last few percent soften the edge to the
    // next ring's earlywood.
    const float latewood = SmoothStep(style.latewoodStart, style.latewoodFull, inRing) *
                           (1.0f - SmoothStep(0.96f, 1.0f, inRing)) * strength;

    const float patch = PeriodicFbm(s, t, 3, 2, 3, 0.5f, seed + 5);
    SWoodStyle::SColour colour =
        Mix(style.earlywood, style.earlywoodAlt, SmoothStep(-0.6f, 0.6f, patch));
    colour = Mix(colour, style.latewood, latewood * style.ringContrast);

    const float fibre = 0.65f * PeriodicFbm(s, t, style.fibreCellsAcross, style.fibreCellsAlong, 2,
                                            0.6f, seed + 6) +
                        0.35f * PeriodicFbm(s, t, style.fibreCellsAcross * 4,
                                            style.fibreCellsAlong * 4, 1, 0.6f, seed + 7);
    const float ribbon = PeriodicFbm(s, t, style.ribbonCells, 1, 2, 0.4f, seed + 8);
    float shade = 1.0f + style.fibres * fibre + style.ribbon * ribbon + style.patches * patch;
    if (style.pores > 0.0f) {
        const float poreNoise = PeriodicFbm(s, t, style.fibreCellsAcross * 2,
                                            style.fibreCellsAlong * 8, 2, 0.5f, seed + 9);
        shade *= 1.0f - style.pores *
                            SmoothStep(style.poreThreshold, style.poreThreshold + 0.12f, poreNoise);
    }
    return {colour.r * shade, colour.g * shade, colour.b * shade};
}

std::uint8_t ToByte(float x) {
    return static_cast<std::uint8_t>(std::floor(Clamp01(x) * 255.0f + 0.5f));
}

} // namespace

std::vector<std::uint8_t> RenderWood(const SWoodStyle& style, int size) {
    // 2 x 2 samples per pixel keep the sharp ring edges and the fibres free of aliasing.
    constexpr int kSamples = 2;
    const float step = 1.0f / static_cast<float>(size * kSamples);
    std::vector<std::uint8_t> rgb(static_cast<std::size_t>(size) * static_cast<std::size_t>(size) *
                                  3);
    std::size_t out = 0;
    for (int row = 0; row < size; ++row) {
        for (int column = 0; column < size; ++column) {
            float r = 0.0f;
            float g = 0.0f;
            float b = 0.0f;
            for (int j = 0; j < kSamples; ++j) {
                for (int i = 0; i < kSamples; ++i) {
                    const float s = (static_cast<float>(column * kSamples + i) + 0.5f) * step;
                    const float t = (static_cast<float>(row * kSamples + j) + 0.5f) * step;
                    const SWoodStyle::SColour c = Sample(style, s, t);
                    r += c.r;
                    g += c.g;
                    b += c.b;
                }
            }
            constexpr float kScale = 1.0f / static_cast<float>(kSamples * kSamples);
            rgb[out++] = ToByte(r * kScale);
            rgb[out++] = ToByte(g * kScale);
            rgb[out++] = ToByte(b * kScale);
        }
    }
    return rgb;
}
