#include "tools/asset-gen/Mesh.h"

void Mesh::Triangle(const Vertex& a, const Vertex& b, const Vertex& c) {
    const Vec3 face = Cross(b.p - a.p, c.p - a.p);
    if (Length(face) <= 1e-9f) {
        return;
    }
    corners.push_back(a);
    if (Dot(face, a.n + b.n + c.n) >= 0.0f) {
        corners.push_back(b);
        corners.push_back(c);
    } else {
        corners.push_back(c);
        corners.push_back(b);
    }
}

void Mesh::Quad(const Vertex& a, const Vertex& b, const Vertex& c, const Vertex& d) {
    if (Length(a.p - c.p) <= Length(b.p - d.p)) {
        Triangle(a, b, c);
        Triangle(a, c, d);
    } else {
        Triangle(a, b, d);
        Triangle(b, c, d);
    }
}

Mesh Mesh::WithNormals(Vec3 (*shade)(Vec3)) const {
    Mesh shaded;
    shaded.corners = corners;
    for (Vertex& corner : shaded.corners) {
        corner.n = shade(corner.n);
    }
    return shaded;
}

void Mesh::Append(const Mesh& other) {
    corners.insert(corners.end(), other.corners.begin(), other.corners.end());
}

Vertex Mix(const Vertex& a, const Vertex& b, float t) {
    return {Lerp(a.p, b.p, t), Normalize(Lerp(a.n, b.n, t)), a.u + (b.u - a.u) * t,
            a.v + (b.v - a.v) * t};
}
