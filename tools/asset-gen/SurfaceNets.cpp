#include "tools/asset-gen/SurfaceNets.h"

namespace {

constexpr float kStep = 0.01f;

Vec3 Gradient(const Field& f, Vec3 p) {
    return {f({p.x + kStep, p.y, p.z}) - f({p.x - kStep, p.y, p.z}),
            f({p.x, p.y + kStep, p.z}) - f({p.x, p.y - kStep, p.z}),
            f({p.x, p.y, p.z + kStep}) - f({p.x, p.y, p.z - kStep})};
}

} // namespace

Vec3 FieldNormal(const Field& field, Vec3 p) {
    return Normalize(Gradient(field, p));
}

Vec3 ProjectOnto(const Field& field, Vec3 p) {
    for (int i = 0; i < 4; ++i) {
        const Vec3 g = Gradient(field, p) * (0.5f / kStep);
        const float g2 = Dot(g, g);
        if (g2 <= 1e-12f) {
            break;
        }
        Vec3 move = g * (-field(p) / g2);
        const float len = Length(move);
        if (len > 0.3f) {
            move = move * (0.3f / len);
        }
        p = p + move;
    }
    return p;
}

IndexedMesh SurfaceNets(const Field& field, Vec3 lo, Vec3 hi, float cell) {
    const int nx = static_cast<int>((hi.x - lo.x) / cell) + 1;
    const int ny = static_cast<int>((hi.y - lo.y) / cell) + 1;
    const int nz = static_cast<int>((hi.z - lo.z) / cell) + 1;
    auto point = [&](int i, int j, int k) {
        return Vec3{lo.x + cell * static_cast<float>(i), lo.y + cell * static_cast<float>(j),
                    lo.z + cell * static_cast<float>(k)};
    };
    auto at = [&](int i, int j, int k) {
        return (static_cast<std::size_t>(k) * static_cast<std::size_t>(ny) +
                static_cast<std::size_t>(j)) *
                   static_cast<std::size_t>(nx) +
               static_cast<std::size_t>(i);
    };
    std::vector<float> value(static_cast<std::size_t>(nx) * ny * nz);
    for (int k = 0; k < nz; ++k) {
        for (int j = 0; j < ny; ++j) {
            for (int i = 0; i < nx; ++i) {
                value[at(i, j, k)] = field(point(i, j, k));
            }
        }
    }

    IndexedMesh mesh;
    std::vector<int> vertexOf(value.size(), -1);
    static const int kEdges[12][2] = {{0, 1}, {2, 3}, {4, 5}, {6, 7}, {0, 2}, {1, 3},
                                      {4, 6}, {5, 7}, {0, 4}, {1, 5}, {2, 6}, {3, 7}};
    for (int k = 0; k + 1 < nz; ++k) {
        for (int j = 0; j + 1 < ny; ++j) {
            for (int i = 0; i + 1 < nx; ++i) {
                float v[8];
                Vec3 p[8];
                for (int c = 0; c < 8; ++c) {
                    const int ci = i + (c & 1);
                    const int cj = j + ((c >> 1) & 1);
                    const int ck = k + ((c >> 2) & 1);
                    v[c] = value[at(ci, cj, ck)];
                    p[c] = point(ci, cj, ck);
                }
                Vec3 sum;
                int crossings = 0;
                for (const auto& e : kEdges) {
                    const float a = v[e[0]];
                    const float b = v[e[1]];
                    if ((a < 0.0f) != (b < 0.0f)) {
                        sum = sum + Lerp(p[e[0]], p[e[1]], a / (a - b));
                        ++crossings;
                    }
                }
                if (crossings > 0) {
                    vertexOf[at(i, j, k)] = static_cast<int>(mesh.positions.size());
                    mesh.positions.push_back(
                        ProjectOnto(field, sum * (1.0f / static_cast<float>(crossings))));
                }
            }
        }
    }

    // Each grid edge crossing the surface joins the four cells around it.
    for (int k = 1; k + 1 < nz; ++k) {
        for (int j = 1; j + 1 < ny; ++j) {
            for (int i = 1; i + 1 < nx; ++i) {
                const float a = value[at(i, j, k)];
                const int next[3][3] = {{i + 1, j, k}, {i, j + 1, k}, {i, j, k + 1}};
                for (int axis = 0; axis < 3; ++axis) {
                    const float b = value[at(next[axis][0], next[axis][1], next[axis][2])];
                    if ((a < 0.0f) == (b < 0.0f)) {
                        continue;
                    }
                    // The four cells share this edge; walk them round the axis.
                    int cells[4][3];
                    const int u = (axis + 1) % 3;
                    const int w = (axis + 2) % 3;
                    const int du[4] = {-1, 0, 0, -1};
                    const int dw[4] = {-1, -1, 0, 0};
                    for (int c = 0; c < 4; ++c) {
                        int idx[3] = {i, j, k};
                        idx[u] += du[c];
                        idx[w] += dw[c];
                        cells[c][0] = idx[0];
                        cells[c][1] = idx[1];
                        cells[c][2] = idx[2];
                    }
                    int q[4];
                    for (int c = 0; c < 4; ++c) {
                        q[c] = vertexOf[at(cells[c][0], cells[c][1], cells[c][2])];
                    }
                    if (a >= 0.0f) {
                        std::swap(q[1], q[3]);
                    }
                    const Vec3& p0 = mesh.positions[q[0]];
                    const Vec3& p1 = mesh.positions[q[1]];
                    const Vec3& p2 = mesh.positions[q[2]];
                    const Vec3& p3 = mesh.positions[q[3]];
                    if (Length(p0 - p2) <= Length(p1 - p3)) {
                        mesh.triangles.push_back({q[0], q[1], q[2]});
                        mesh.triangles.push_back({q[0], q[2], q[3]});
                    } else {
                        mesh.triangles.push_back({q[0], q[1], q[3]});
                        mesh.triangles.push_back({q[1], q[2], q[3]});
                    }
                }
            }
        }
    }
    return mesh;
}
