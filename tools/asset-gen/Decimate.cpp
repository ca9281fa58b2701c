#include "tools/asset-gen/Decimate.h"

#include <algorithm>
#include <queue>
#include <tuple>

namespace {

// Symmetric 4x4 quadric: sum of squared distances to a set of planes.
struct Quadric {
    double q[10] = {};

    void AddPlane(double a, double b, double c, double d, double w) {
        const double v[4] = {a, b, c, d};
        int n = 0;
        for (int i = 0; i < 4; ++i) {
            for (int j = i; j < 4; ++j) {
                q[n++] += w * v[i] * v[j];
            }
        }
    }
    void Add(const Quadric& o) {
        for (int i = 0; i < 10; ++i) {
            q[i] += o.q[i];
        }
    }
    double Error(const Vec3& p) const {
        const double x = p.x;
        const double y = p.y;
        const double z = p.z;
        return q[0] * x * x + 2 * q[1] * x * y + 2 * q[2] * x * z + 2 * q[3] * x + q[4] * y * y +
               2 * q[5] * y * z + 2 * q[6] * y + q[7] * z * z + 2 * q[8] * z + q[9];
    }
};

struct Candidate {
    double cost;
    int a;
    int b;
    int versionA;
    int versionB;
    bool operator>(const Candidate& o) const {
        return std::tie(cost, a, b) > std::tie(o.cost, o.a, o.b);
    }
};

class Decimator {
public:
    explicit Decimator(IndexedMesh& mesh) : mesh(mesh) {
        const std::size_t n = mesh.positions.size();
        quadrics.resize(n);
        faces.resize(n);
        version.assign(n, 0);
        alive.assign(mesh.triangles.size(), true);
        for (std::size_t t = 0; t < mesh.triangles.size(); ++t) {
            const auto& tri = mesh.triangles[t];
            const Vec3 nrm = Cross(mesh.positions[tri[1]] - mesh.positions[tri[0]],
                                   mesh.positions[tri[2]] - mesh.positions[tri[0]]);
            const float area = Length(nrm);
            const Vec3 u = Normalize(nrm);
            const double d = -Dot(u, mesh.positions[tri[0]]);
            for (int v : tri) {
                quadrics[v].AddPlane(u.x, u.y, u.z, d, area);
                faces[v].push_back(static_cast<int>(t));
            }
        }
        for (std::size_t t = 0; t < mesh.triangles.size(); ++t) {
            const auto& tri = mesh.triangles[t];
            for (int e = 0; e < 3; ++e) {
                Push(tri[e], tri[(e + 1) % 3]);
            }
        }
        liveCount = static_cast<int>(mesh.triangles.size());
    }

    void Run(int target) {
        while (liveCount > target && !queue.empty()) {
            const Candidate c = queue.top();
            queue.pop();
            if (c.versionA != version[c.a] || c.versionB != version[c.b]) {
                continue;
            }
            Collapse(c.a, c.b);
        }
        Compact();
    }

private:
    Vec3 Target(int a, int b) const {
        const Vec3 options[3] = {mesh.positions[a], mesh.positions[b],
                                 Lerp(mesh.positions[a], mesh.positions[b], 0.5f)};
        Quadric q = quadrics[a];
        q.Add(quadrics[b]);
        int best = 2;
        for (int i = 0; i < 2; ++i) {
            if (q.Error(options[i]) < q.Error(options[best])) {
                best = i;
            }
        }
        return options[best];
    }

    void Push(int a, int b) {
        if (a > b) {
            std::swap(a, b);
        }
        Quadric q = quadrics[a];
        q.Add(quadrics[b]);
        const Vec3 edge = mesh.positions[a] - mesh.positions[b];
        // A small length term keeps the triangles from growing needle-thin on flat parts.
        const double cost = q.Error(Target(a, b)) + 1e-4 * Dot(edge, edge);
        queue.push({cost, a, b, version[a], version[b]});
    }

    std::vector<int> Neighbours(int v) const {
        std::vector<int> result;
        for (int t : faces[v]) {
            for (int w : mesh.triangles[t]) {
                if (w != v) {
                    result.push_back(w);
                }
            }
        }
        std::sort(result.begin(), result.end());
        result.erase(std::unique(result.begin(), result.end()), result.end());
        return result;
    }

    bool Allowed(int a, int b, const Vec3& p) const {
        // Link condition: the two ends share exactly the two vertices opposite the edge.
        const std::vector<int> na = Neighbours(a);
        const std::vector<int> nb = Neighbours(b);
        std::vector<int> common;
        std::set_intersection(na.begin(), na.end(), nb.begin(), nb.end(),
                              std::back_inserter(common));
        if (common.size() != 2) {
            return false;
        }
        for (int v : {a, b}) {
            for (int t : faces[v]) {
                const auto& tri = mesh.triangles[t];
                if (std::find(tri.begin(), tri.end(), a == v ? b : a) != tri.end()) {
                    continue;
                }
                Vec3 before[3];
                Vec3 after[3];
                for (int i = 0; i < 3; ++i) {
                    before[i] = mesh.positions[tri[i]];
                    after[i] = tri[i] == v ? p : before[i];
                }
                const Vec3 n0 = Normalize(Cross(before[1] - before[0], before[2] - before[0]));
                const Vec3 n1c = Cross(after[1] - after[0], after[2] - after[0]);
                if (Length(n1c) < 1e-7f || Dot(n0, Normalize(n1c)) < 0.3f) {
                    return false;
                }
            }
        }
        return true;
    }

    void Collapse(int a, int b) {
        const Vec3 p = Target(a, b);
        if (!Allowed(a, b, p)) {
            return;
        }
        // b goes into a.
        for (int t : faces[b]) {
            auto& tri = mesh.triangles[t];
            if (std::find(tri.begin(), tri.end(), a) != tri.end()) {
                alive[t] = false;
                --liveCount;
                for (int w : tri) {
                    if (w != b) {
                        auto& list = faces[w];
                        list.erase(std::remove(list.begin(), list.end(), t), list.end());
                    }
                }
            } else {
                std::replace(tri.begin(), tri.end(), b, a);
                faces[a].push_back(t);
            }
        }
        faces[b].clear();
        mesh.positions[a] = p;
        quadrics[a].Add(quadrics[b]);
        ++version[a];
        ++version[b];
        for (int w : Neighbours(a)) {
            ++version[w];
        }
        for (int w : Neighbours(a)) {
            for (int x : Neighbours(w)) {
                Push(w, x);
            }
        }
    }

    void Compact() {
        std::vector<int> index(mesh.positions.size(), -1);
        IndexedMesh out;
        for (std::size_t t = 0; t < mesh.triangles.size(); ++t) {
            if (!alive[t]) {
                continue;
            }
            std::array<int, 3> tri = mesh.triangles[t];
            for (int& v : tri) {
                if (index[v] < 0) {
                    index[v] = static_cast<int>(out.positions.size());
                    out.positions.push_back(mesh.positions[v]);
                }
                v = index[v];
            }
            out.triangles.push_back(tri);
        }
        mesh = out;
    }

    IndexedMesh& mesh;
    std::vector<Quadric> quadrics;
    std::vector<std::vector<int>> faces;
    std::vector<int> version;
    std::vector<bool> alive;
    int liveCount = 0;
    std::priority_queue<Candidate, std::vector<Candidate>, std::greater<Candidate>> queue;
};

} // namespace

void Decimate(IndexedMesh& mesh, int targetTriangles) {
    Decimator(mesh).Run(targetTriangles);
}
