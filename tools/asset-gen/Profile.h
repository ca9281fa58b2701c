#pragma once

#include <vector>

// A point of a lathe profile: radius from the y axis and height. At a crease the surface keeps
// a sharp edge (the normal differs on both sides); elsewhere it is shaded smooth.
struct ProfilePoint {
    float r = 0.0f;
    float y = 0.0f;
    bool crease = false;
};

// Builds a profile from the bottom centre upwards, piece by piece.
class Profile {
public:
    void Sharp(float r, float y) { points.push_back({r, y, true}); }
    void Smooth(float r, float y) { points.push_back({r, y, false}); }
    // Circular arc about (cr, cy) from angle a0 to a1 (radians, 0 = outwards, pi/2 = up) in
    // the given number of steps; the start point is added only if the profile is empty or it
    // differs from the last point. The end points are creases when sharpEnds is set.
    void Arc(float cr, float cy, float radius, float a0, float a1, int steps, bool sharpEnds);
    // Cubic Bezier from the last point through control points c1, c2 to the end point.
    void Curve(float r1, float y1, float r2, float y2, float r3, float y3, int steps,
               bool sharpEnd);
    // Marks the last point as a crease.
    void Crease() { points.back().crease = true; }

    const std::vector<ProfilePoint>& Points() const { return points; }
    float LastR() const { return points.back().r; }
    float LastY() const { return points.back().y; }

private:
    std::vector<ProfilePoint> points;
};
