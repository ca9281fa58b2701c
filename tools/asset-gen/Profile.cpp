#include "tools/asset-gen/Profile.h"

#include <cmath>

void Profile::Arc(float cr, float cy, float radius, float a0, float a1, int steps, bool sharpEnds) {
    for (int i = 0; i <= steps; ++i) {
        const float a = a0 + (a1 - a0) * static_cast<float>(i) / static_cast<float>(steps);
        const float r = cr + radius * std::cos(a);
        const float y = cy + radius * std::sin(a);
        if (i == 0 && !points.empty() && std::fabs(points.back().r - r) < 1e-5f &&
            std::fabs(points.back().y - y) < 1e-5f) {
            points.back().crease = points.back().crease || sharpEnds;
            continue;
        }
        points.push_back({r < 0.0f ? 0.0f : r, y, sharpEnds && (i == 0 || i == steps)});
    }
}

void Profile::Curve(float r1, float y1, float r2, float y2, float r3, float y3, int steps,
                    bool sharpEnd) {
    const float r0 = points.back().r;
    const float y0 = points.back().y;
    for (int i = 1; i <= steps; ++i) {
        const float t = static_cast<float>(i) / static_cast<float>(steps);
        const float s = 1.0f - t;
        const float b0 = s * s * s;
        const float b1 = 3.0f * s * s * t;
        const float b2 = 3.0f * s * t * t;
        const float b3 = t * t * t;
        points.push_back({b0 * r0 + b1 * r1 + b2 * r2 + b3 * r3,
                          b0 * y0 + b1 * y1 + b2 * y2 + b3 * y3, sharpEnd && i == steps});
    }
}
