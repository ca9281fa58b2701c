#include "tools/asset-gen/Clip.h"

namespace {

float Distance(const HalfSpace& h, const Vertex& v) {
    return Dot(h.normal, v.p) - h.offset;
}

// Where the edge crosses the boundary; computed from the inner end so that both sides of a cut
// get the same point.
Vertex Crossing(const HalfSpace& h, const Vertex& a, const Vertex& b) {
    const float da = Distance(h, a);
    const float db = Distance(h, b);
    if (da < db) {
        return Mix(a, b, da / (da - db));
    }
    return Mix(b, a, db / (db - da));
}

std::vector<Vertex> ClipPolygon(const std::vector<Vertex>& polygon, const HalfSpace& h) {
    std::vector<Vertex> result;
    for (std::size_t i = 0; i < polygon.size(); ++i) {
        const Vertex& a = polygon[i];
        const Vertex& b = polygon[(i + 1) % polygon.size()];
        const bool aIn = Distance(h, a) >= 0.0f;
        const bool bIn = Distance(h, b) >= 0.0f;
        if (aIn) {
            result.push_back(a);
        }
        if (aIn != bIn) {
            result.push_back(Crossing(h, a, b));
        }
    }
    return result;
}

} // namespace

Mesh KeepInside(const Mesh& mesh, const std::vector<HalfSpace>& region) {
    Mesh result;
    const std::vector<Vertex>& c = mesh.Corners();
    for (std::size_t i = 0; i < c.size(); i += 3) {
        std::vector<Vertex> polygon = {c[i], c[i + 1], c[i + 2]};
        for (const HalfSpace& h : region) {
            polygon = ClipPolygon(polygon, h);
        }
        for (std::size_t k = 2; k < polygon.size(); ++k) {
            result.Triangle(polygon[0], polygon[k - 1], polygon[k]);
        }
    }
    return result;
}
