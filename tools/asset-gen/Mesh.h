#pragma once

#include "tools/asset-gen/Vec3.h"

#include <vector>

// One triangle corner: position, unit normal and texture coordinate (u, v; w is always 0).
struct Vertex {
    Vec3 p;
    Vec3 n;
    float u = 0.0f;
    float v = 0.0f;
};

// A triangle soup, three corners per triangle, each triangle counter-clockwise seen from
// outside (the side its corner normals point to).
class Mesh {
public:
    // Adds the triangle, turned round if its winding disagrees with its corner normals.
    void Triangle(const Vertex& a, const Vertex& b, const Vertex& c);
    // Adds the quad a-b-c-d as two triangles, split along its shorter diagonal.
    void Quad(const Vertex& a, const Vertex& b, const Vertex& c, const Vertex& d);
    void Append(const Mesh& other);
    // The same triangles, wound as they are, with every normal n replaced by shade(n).
    Mesh WithNormals(Vec3 (*shade)(Vec3)) const;

    const std::vector<Vertex>& Corners() const { return corners; }
    int TriangleCount() const { return static_cast<int>(corners.size() / 3); }

private:
    std::vector<Vertex> corners;
};

// Interpolates every attribute; the normal is renormalised.
Vertex Mix(const Vertex& a, const Vertex& b, float t);
