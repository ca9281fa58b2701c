#include "tools/asset-gen/Crown.h"
#include "tools/asset-gen/Lathe.h"
#include "tools/asset-gen/Pieces.h"
#include "tools/asset-gen/Staunton.h"

#include <cmath>

namespace {

constexpr int kPoints = 8;
constexpr float kRim = 3.75f;
constexpr float kRimY = 25.6f;
constexpr float kPointHeight = 2.1f;

float CoronetTop(float angle) {
    const float period = 2.0f * kPi / static_cast<float>(kPoints);
    const float phase = std::fmod(angle, period) / period;
    return kRimY + kPointHeight * std::fabs(1.0f - 2.0f * phase);
}

} // namespace

Mesh QueenMesh() {
    Profile p;
    StauntonBase(p, 1.05f);
    p.Curve(3.7f, 3.2f, 2.4f, 9.0f, 2.05f, 17.0f, 7, false);
    Collar(p, 1.95f, 3.8f, 0.9f);
    p.Smooth(1.95f, 18.3f);
    Collar(p, 1.8f, 3.1f, 0.6f);
    // The crown opens like a cup up to the coronet.
    p.Curve(1.7f, 20.2f, 2.6f, 22.5f, kRim - 0.05f, 24.4f, 5, false);
    p.Crease();
    p.Arc(kRim, 24.85f, 0.4f, -kPi / 2.0f, kPi / 2.0f, 5, true);
    Mesh mesh = Lathe(p, kLatheSegments);

    CrownShape coronet;
    coronet.inner = kRim - 0.55f;
    coronet.outer = kRim;
    coronet.bottom = 25.15f;
    coronet.segments = 4 * kPoints; // a point and a dip land on slice ends
    coronet.stepped = false;
    coronet.top = CoronetTop;
    mesh.Append(Crown(coronet));

    // Balls on the points of the coronet, large enough to read as a coronet of balls, unlike the
    // king's cross, on the far rank of the default view.
    for (int k = 0; k < kPoints; ++k) {
        const float angle = 2.0f * kPi * static_cast<float>(k) / static_cast<float>(kPoints);
        const float r = kRim - 0.3f;
        mesh.Append(
            Sphere({r * std::sin(angle), kRimY + kPointHeight + 0.35f, -r * std::cos(angle)}, 0.62f,
                   10, 6));
    }

    // Dome inside the coronet and the ball on top.
    Profile dome;
    dome.Sharp(coronet.inner, 25.15f);
    dome.Smooth(coronet.inner - 0.05f, kRimY + 0.1f);
    dome.Curve(coronet.inner - 0.2f, kRimY + 1.6f, 2.0f, kRimY + 2.6f, 0.75f, kRimY + 3.15f, 6,
               true);
    dome.Sharp(1.3f, kRimY + 3.25f);
    dome.Arc(1.3f, kRimY + 3.45f, 0.2f, -kPi / 2.0f, kPi / 2.0f, 4, true);
    dome.Sharp(0.7f, kRimY + 3.65f);
    BallTop(dome, 1.5f, 8);
    mesh.Append(Lathe(dome, 16));
    return mesh;
}
