#include "tools/asset-gen/Staunton.h"

#include "tools/asset-gen/Lathe.h"

#include <cmath>

void StauntonBase(Profile& p, float s) {
    const float r = kBaseRadius;
    p.Sharp(0.0f, 0.0f);
    p.Sharp(r, 0.0f);
    p.Smooth(r, 0.45f * s);
    p.Arc(r - 0.55f, 0.45f * s, 0.55f, 0.0f, kPi / 2.0f, 4, false);
    p.Crease();
    p.Sharp(r - 0.85f, 1.0f * s);
    p.Curve(r - 1.45f, 1.0f * s, r - 1.65f, 1.35f * s, r - 1.65f, 1.9f * s, 3, true);
    p.Sharp(r - 1.85f, 1.9f * s);
    p.Arc(r - 2.2f, 2.3f * s, 0.4f, -0.4f * kPi, kPi / 2.0f, 6, true);
    p.Sharp(r - 2.75f, 2.7f * s);
}

void Collar(Profile& p, float stemRadius, float radius, float thickness) {
    const float y = p.LastY();
    p.Crease();
    const float half = thickness * 0.5f;
    p.Sharp(radius - half, y);
    p.Arc(radius - half, y + half, half, -kPi / 2.0f, kPi / 2.0f, 5, true);
    p.Sharp(stemRadius, y + thickness);
}

void BallTop(Profile& p, float radius, int steps) {
    // The ball meets the neck where it is as wide as the neck.
    const float start = -std::acos(p.LastR() / radius);
    const float centreY = p.LastY() - radius * std::sin(start);
    p.Crease();
    p.Arc(0.0f, centreY, radius, start, kPi / 2.0f, steps, false);
}

Mesh Sphere(Vec3 centre, float radius, int segments, int rings) {
    Profile p;
    p.Arc(0.0f, 0.0f, radius, -kPi / 2.0f, kPi / 2.0f, rings, false);
    const Mesh ball = Lathe(p, segments);
    Mesh moved;
    const auto& c = ball.Corners();
    for (std::size_t i = 0; i < c.size(); i += 3) {
        Vertex v[3] = {c[i], c[i + 1], c[i + 2]};
        for (Vertex& x : v) {
            x.p = x.p + centre;
        }
        moved.Triangle(v[0], v[1], v[2]);
    }
    return moved;
}
