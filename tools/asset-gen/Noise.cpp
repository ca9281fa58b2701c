#include "tools/asset-gen/Noise.h"

#include <array>
#include <cmath>

namespace {

// Sixteen unit gradient directions, 22.5 degrees apart.
constexpr std::array<float, 32> kGradients = {
    1.0f,         0.0f,         0.92387953f,  0.38268343f,  0.70710678f,  0.70710678f,
    0.38268343f,  0.92387953f,  0.0f,         1.0f,         -0.38268343f, 0.92387953f,
    -0.70710678f, 0.70710678f,  -0.92387953f, 0.38268343f,  -1.0f,        0.0f,
    -0.92387953f, -0.38268343f, -0.70710678f, -0.70710678f, -0.38268343f, -0.92387953f,
    0.0f,         -1.0f,        0.38268343f,  -0.92387953f, 0.70710678f,  -0.70710678f,
    0.92387953f,  -0.38268343f};

std::int32_t Wrap(std::int32_t value, std::int32_t period) {
    const std::int32_t r = value % period;
    return r < 0 ? r + period : r;
}

float Fade(float t) {
    return t * t * t * (t * (t * 6.0f - 15.0f) + 10.0f);
}

float Corner(std::int32_t ix, std::int32_t iy, float dx, float dy, std::uint32_t seed) {
    const std::uint32_t index = (HashLattice(ix, iy, seed) >> 28) * 2;
    return kGradients[index] * dx + kGradients[index + 1] * dy;
}

} // namespace

std::uint32_t HashLattice(std::int32_t x, std::int32_t y, std::uint32_t seed) {
    std::uint32_t h = static_cast<std::uint32_t>(x) * 0x8DA6B343u +
                      static_cast<std::uint32_t>(y) * 0xD8163841u + seed * 0xCB1AB31Fu;
    h ^= h >> 16;
    h *= 0x7FEB352Du;
    h ^= h >> 15;
    h *= 0x846CA68Bu;
    h ^= h >> 16;
    return h;
}

float PeriodicNoise(float x, float y, std::int32_t periodX, std::int32_t periodY,
                    std::uint32_t seed) {
    const float fx = std::floor(x);
    const float fy = std::floor(y);
    const float dx = x - fx;
    const float dy = y - fy;
    const std::int32_t x0 = Wrap(static_cast<std::int32_t>(fx), periodX);
    const std::int32_t y0 = Wrap(static_cast<std::int32_t>(fy), periodY);
    const std::int32_t x1 = Wrap(x0 + 1, periodX);
    const std::int32_t y1 = Wrap(y0 + 1, periodY);

    const float n00 = Corner(x0, y0, dx, dy, seed);
    const float n10 = Corner(x1, y0, dx - 1.0f, dy, seed);
    const float n01 = Corner(x0, y1, dx, dy - 1.0f, seed);
    const float n11 = Corner(x1, y1, dx - 1.0f, dy - 1.0f, seed);
    const float u = Fade(dx);
    const float v = Fade(dy);
    const float bottom = n00 + (n10 - n00) * u;
    const float top = n01 + (n11 - n01) * u;
    // The raw range of 2D gradient noise is about [-0.71, 0.71].
    return (bottom + (top - bottom) * v) * 1.41421356f;
}

float PeriodicFbm(float s, float t, std::int32_t cellsX, std::int32_t cellsY, int octaves,
                  float gain, std::uint32_t seed) {
    float sum = 0.0f;
    float norm = 0.0f;
    float amplitude = 1.0f;
    for (int octave = 0; octave < octaves; ++octave) {
        sum += amplitude * PeriodicNoise(s * static_cast<float>(cellsX),
                                         t * static_cast<float>(cellsY), cellsX, cellsY,
                                         seed + static_cast<std::uint32_t>(octave) * 0x9E3779B9u);
        norm += amplitude;
        amplitude *= gain;
        cellsX *= 2;
        cellsY *= 2;
    }
    return sum / norm;
}
