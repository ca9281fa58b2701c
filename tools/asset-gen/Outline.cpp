#include "tools/asset-gen/Outline.h"

#include <algorithm>
#include <cmath>

Outline::Outline(const std::vector<Point>& p, int steps) {
    const std::size_t n = p.size();
    for (std::size_t i = 0; i < n; ++i) {
        const Point& p0 = p[(i + n - 1) % n];
        const Point& p1 = p[i];
        const Point& p2 = p[(i + 1) % n];
        const Point& p3 = p[(i + 2) % n];
        for (int s = 0; s < steps; ++s) {
            const float t = static_cast<float>(s) / static_cast<float>(steps);
            const float t2 = t * t;
            const float t3 = t2 * t;
            auto blend = [&](float a, float b, float c, float d) {
                return 0.5f * (2.0f * b + (-a + c) * t + (2.0f * a - 5.0f * b + 4.0f * c - d) * t2 +
                               (-a + 3.0f * b - 3.0f * c + d) * t3);
            };
            polygon.push_back({blend(p0.x, p1.x, p2.x, p3.x), blend(p0.y, p1.y, p2.y, p3.y)});
        }
    }
}

float Outline::Distance(float x, float y) const {
    float best = 1e30f;
    bool inside = false;
    const std::size_t n = polygon.size();
    for (std::size_t i = 0, j = n - 1; i < n; j = i++) {
        const Point& a = polygon[j];
        const Point& b = polygon[i];
        const float ex = b.x - a.x;
        const float ey = b.y - a.y;
        const float wx = x - a.x;
        const float wy = y - a.y;
        const float t = std::clamp((wx * ex + wy * ey) / (ex * ex + ey * ey), 0.0f, 1.0f);
        const float dx = wx - ex * t;
        const float dy = wy - ey * t;
        best = std::min(best, dx * dx + dy * dy);
        if ((a.y > y) != (b.y > y) && x < a.x + (y - a.y) / (b.y - a.y) * ex) {
            inside = !inside;
        }
    }
    const float d = std::sqrt(best);
    return inside ? -d : d;
}
