#include "scene/ViewProjection.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace {

using Mat4 = SViewMatrices::Matrix;

Mat4 Identity() {
    return {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
}

Mat4 Multiply(const Mat4& a, const Mat4& b) {
    Mat4 r{};
    for (int col = 0; col < 4; ++col) {
        for (int row = 0; row < 4; ++row) {
            double sum = 0.0;
            for (int k = 0; k < 4; ++k) {
                sum += a[static_cast<std::size_t>(k * 4 + row)] *
                       b[static_cast<std::size_t>(col * 4 + k)];
            }
            r[static_cast<std::size_t>(col * 4 + row)] = sum;
        }
    }
    return r;
}

Mat4 Translate(double x, double y, double z) {
    Mat4 m = Identity();
    m[12] = x;
    m[13] = y;
    m[14] = z;
    return m;
}

Mat4 Rotate(double degrees, double x, double y, double z) {
    const double a = degrees * M_PI / 180.0;
    const double c = std::cos(a);
    const double s = std::sin(a);
    const double len = std::sqrt(x * x + y * y + z * z);
    x /= len;
    y /= len;
    z /= len;
    return {x * x * (1 - c) + c,
            y * x * (1 - c) + z * s,
            x * z * (1 - c) - y * s,
            0,
            x * y * (1 - c) - z * s,
            y * y * (1 - c) + c,
            y * z * (1 - c) + x * s,
            0,
            x * z * (1 - c) + y * s,
            y * z * (1 - c) - x * s,
            z * z * (1 - c) + c,
            0,
            0,
            0,
            0,
            1};
}

Mat4 Perspective(double fovY, double aspect, double zNear, double zFar) {
    const double f = 1.0 / std::tan(fovY * M_PI / 360.0);
    Mat4 m{};
    m[0] = f / aspect;
    m[5] = f;
    m[10] = (zFar + zNear) / (zNear - zFar);
    m[11] = -1.0;
    m[14] = 2.0 * zFar * zNear / (zNear - zFar);
    return m;
}

} // namespace

SViewMatrices ViewMatrices(const SViewPose& pose, double aspect) {
    SViewMatrices matrices;
    matrices.projection =
        Perspective(pose.fieldOfView, aspect, kNearPlane, pose.distance + kFarBeyondCentre);
    Mat4 view = Translate(-pose.shiftX, -pose.shiftY, -pose.distance);
    view = Multiply(view, Rotate(pose.elevation, 1, 0, 0));
    view = Multiply(view, Rotate(pose.rotation, 0, 1, 0));
    matrices.modelview = Multiply(view, Translate(-kBoardCentreX, 0, -kBoardCentreZ));
    return matrices;
}

CWindowPoint ProjectToWindow(const SViewPose& pose, int width, int height, double x, double y,
                             double z) {
    height = std::max(height, 1);
    const SViewMatrices matrices = ViewMatrices(pose, static_cast<double>(width) / height);
    const Mat4 m = Multiply(matrices.projection, matrices.modelview);
    const double clip[4] = {
        m[0] * x + m[4] * y + m[8] * z + m[12],
        m[1] * x + m[5] * y + m[9] * z + m[13],
        m[2] * x + m[6] * y + m[10] * z + m[14],
        m[3] * x + m[7] * y + m[11] * z + m[15],
    };
    CWindowPoint point;
    if (clip[3] <= 0.0) {
        return point;
    }
    const double nx = clip[0] / clip[3];
    const double ny = clip[1] / clip[3];
    const double nz = clip[2] / clip[3];
    point.x = (nx + 1.0) * 0.5 * width;
    point.y = height - (ny + 1.0) * 0.5 * height;
    point.visible = nz >= -1.0 && nz <= 1.0;
    return point;
}

CWindowPoint ProjectToWindow(const CCamera& camera, int width, int height, double x, double y,
                             double z) {
    const double aspect = static_cast<double>(width) / std::max(height, 1);
    return ProjectToWindow(camera.RestingPose(aspect), width, height, x, y, z);
}
