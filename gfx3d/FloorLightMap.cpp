#include "gfx3d/FloorLightMap.h"

#include "gfx3d/SceneLights.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace {

constexpr double kPi = 3.14159265358979323846;
// How much the spot lights add to the room tone at most: the pool's brightest part is full
// light.
constexpr double kPoolStrength = 0.3;

// 1 within the pool's radius, 0 beyond its edge, smooth between.
double PoolFade(float x, float z) {
    const double dx = x - 100.0;
    const double dz = z + 100.0;
    const double t = std::clamp((std::sqrt(dx * dx + dz * dz) - kPoolRadius) /
                                    static_cast<double>(kPoolEdge - kPoolRadius),
                                0.0, 1.0);
    return 1.0 - t * t * (3.0 - 2.0 * t);
}

} // namespace

// A light's contribution to a surface facing up (normal (0, 1, 0)) with no attenuation: the
// spot factor (cos of the angle off the axis, to the spot exponent, nothing outside the cutoff)
// times the cosine between the normal and the direction towards the light; their sum lifts the
// room tone within the pool.
float FloorBrightness(float x, float z) {
    const double cutoffCos = std::cos(kSpotCutoffDegrees * kPi / 180.0);
    double sum = 0.0;
    for (const SSpotLight& light : kSceneLights) {
        const double toLight[3] = {light.position[0] - x, light.position[1], light.position[2] - z};
        const double distance =
            std::sqrt(toLight[0] * toLight[0] + toLight[1] * toLight[1] + toLight[2] * toLight[2]);
        const double axisLength = std::sqrt(light.direction[0] * light.direction[0] +
                                            light.direction[1] * light.direction[1] +
                                            light.direction[2] * light.direction[2]);
        const double offAxisCos =
            -(toLight[0] * light.direction[0] + toLight[1] * light.direction[1] +
              toLight[2] * light.direction[2]) /
            (distance * axisLength);
        const double facing = toLight[1] / distance;
        if (offAxisCos >= cutoffCos && facing > 0.0) {
            sum += std::pow(offAxisCos, kSpotExponent) * facing * kLightDiffuse[0];
        }
    }
    const double pool = std::min(1.0, sum * kPoolStrength) * PoolFade(x, z);
    return static_cast<float>(kFloorAmbient + (1.0 - kFloorAmbient) * pool);
}

std::vector<std::uint8_t> BuildFloorLightMap(int size, float x0, float z0, float extentX,
                                             float extentZ) {
    std::vector<std::uint8_t> texels(static_cast<std::size_t>(std::max(size, 0)) *
                                     static_cast<std::size_t>(std::max(size, 0)));
    for (int row = 0; row < size; ++row) {
        const float z = z0 - extentZ * (static_cast<float>(row) + 0.5f) / static_cast<float>(size);
        for (int column = 0; column < size; ++column) {
            const float x =
                x0 + extentX * (static_cast<float>(column) + 0.5f) / static_cast<float>(size);
            texels[static_cast<std::size_t>(row) * static_cast<std::size_t>(size) +
                   static_cast<std::size_t>(column)] =
                static_cast<std::uint8_t>(std::lround(FloorBrightness(x, z) * 255.0f));
        }
    }
    return texels;
}
