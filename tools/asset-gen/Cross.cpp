#include "tools/asset-gen/Cross.h"

#include "tools/asset-gen/Lathe.h"

#include <cmath>

namespace {

bool Same(Vec3 a, Vec3 b) {
    return Length(a - b) < 1e-4f;
}

bool Shared(const std::vector<std::vector<Vec3>>& polygons, std::size_t self, Vec3 a, Vec3 b) {
    for (std::size_t k = 0; k < polygons.size(); ++k) {
        const auto& q = polygons[k];
        for (std::size_t i = 0; k != self && i < q.size(); ++i) {
            if (Same(q[i], b) && Same(q[(i + 1) % q.size()], a)) {
                return true;
            }
        }
    }
    return false;
}

Vertex Corner(Vec3 p, float z, Vec3 n) {
    return {{p.x, p.y, z}, n, p.x / kVUnit, p.y / kVUnit};
}

} // namespace

Mesh Plate(const std::vector<std::vector<Vec3>>& polygons, float thickness) {
    Mesh mesh;
    const float h = 0.5f * thickness;
    const Vec3 front{0.0f, 0.0f, 1.0f};
    for (std::size_t k = 0; k < polygons.size(); ++k) {
        const auto& q = polygons[k];
        for (std::size_t i = 2; i < q.size(); ++i) {
            mesh.Triangle(Corner(q[0], h, front), Corner(q[i - 1], h, front),
                          Corner(q[i], h, front));
            mesh.Triangle(Corner(q[0], -h, -front), Corner(q[i - 1], -h, -front),
                          Corner(q[i], -h, -front));
        }
        for (std::size_t i = 0; i < q.size(); ++i) {
            const Vec3 a = q[i];
            const Vec3 b = q[(i + 1) % q.size()];
            if (Shared(polygons, k, a, b)) {
                continue;
            }
            const Vec3 n = Normalize(Cross(b - a, front));
            Vertex w[4] = {Corner(a, -h, n), Corner(b, -h, n), Corner(b, h, n), Corner(a, h, n)};
            for (Vertex& v : w) {
                v.u = Dot(v.p, Normalize(b - a)) / kVUnit;
                v.v = v.p.z / kVUnit;
            }
            mesh.Quad(w[0], w[1], w[2], w[3]);
        }
    }
    return mesh;
}
