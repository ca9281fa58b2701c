#include "tools/asset-gen/Crown.h"
#include "tools/asset-gen/Lathe.h"
#include "tools/asset-gen/Pieces.h"
#include "tools/asset-gen/Staunton.h"

#include <cmath>

namespace {

constexpr float kHeight = 22.5f;
constexpr float kWall = 5.0f;   // outer radius of the battlements
constexpr float kInner = 3.7f;  // radius of the hollow
constexpr float kCrenel = 1.5f; // depth of the gaps
constexpr float kFloor = 20.0f; // hollow floor
constexpr int kMerlons = 6;
constexpr int kSlices = 42; // 7 per merlon: 4 up, 3 down

} // namespace

Mesh RookMesh() {
    Profile p;
    StauntonBase(p, 0.9f);
    // A sturdy, slightly tapering tower.
    p.Curve(4.4f, 2.75f, 4.2f, 3.2f, 4.2f, 4.2f, 3, false);
    p.Smooth(3.85f, 14.2f);
    // Ring under the crown, then the crown flares out to the battlements.
    p.Crease();
    p.Arc(3.85f, 14.6f, 0.4f, -kPi / 2.0f, kPi / 2.0f, 6, true);
    p.Curve(4.0f, 16.2f, kWall, 16.6f, kWall, 17.6f, 5, true);
    p.Smooth(kWall + 0.25f, 17.85f);
    p.Arc(kWall, 18.1f, 0.25f, -kPi / 4.0f, kPi / 2.0f, 4, true);
    p.Sharp(kWall, 18.35f);
    Mesh mesh = Lathe(p, kLatheSegments);

    CrownShape crown;
    crown.inner = kInner;
    crown.outer = kWall;
    crown.bottom = 18.35f;
    crown.segments = kSlices;
    crown.top = [](float angle) {
        const float period = 2.0f * kPi / static_cast<float>(kMerlons);
        const float phase = std::fmod(angle + 2.0f / 7.0f * period, period) / period;
        return phase < 4.0f / 7.0f ? kHeight : kHeight - kCrenel;
    };
    mesh.Append(Crown(crown));

    Profile floor;
    floor.Sharp(kInner, kFloor);
    floor.Sharp(0.0f, kFloor);
    mesh.Append(Lathe(floor, kLatheSegments));
    return mesh;
}
