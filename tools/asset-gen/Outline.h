#pragma once

#include <vector>

// A closed smooth curve in a plane through the given points (a Catmull-Rom spline), with the
// signed distance to it: negative inside.
class Outline {
public:
    struct Point {
        float x;
        float y;
    };

    Outline(const std::vector<Point>& through, int stepsPerSpan);
    float Distance(float x, float y) const;

private:
    std::vector<Point> polygon;
};
