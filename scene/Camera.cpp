#include "scene/Camera.h"

#include <cmath>
#include <numbers>

CCamera::CCamera(std::atomic<bool>& projectionDirty, const std::atomic<bool>& enabled)
    : projectionDirty(projectionDirty), enabled(enabled) {
    ResetView();
}

double CCamera::FieldOfView(double aspect) const {
    const double vertical = FieldOfView();
    if (aspect <= 0.0 || aspect >= kDefaultAspect) {
        return vertical;
    }
    constexpr double kRadiansPerDegree = std::numbers::pi / 180.0;
    const double halfTangent =
        std::tan(vertical * kRadiansPerDegree / 2.0) * kDefaultAspect / aspect;
    return 2.0 * std::atan(halfTangent) / kRadiansPerDegree;
}

void CCamera::ResetView() {
    zoom = 1.0f;
    elevation = 50.0f;
    rotation = SideInFront() == Black ? 180.0f : 0.0f;
    panX = 0.0f;
    panY = -15.0f;
    minElevation = std::atan(-PanY() / (kEyeDistance + 100.0f)) * 57.295780181884766f;
    projectionDirty = true;
    if (MinElevation() > Elevation()) {
        elevation = MinElevation();
    }
}

void CCamera::SetSideInFront(EPieceColor side) {
    if (sideInFront.exchange(side) != side) {
        rotation = std::fmod(Rotation() + 180.0f, 360.0f);
        projectionDirty = true;
    }
}

void CCamera::ChangeElevation(float delta) {
    if (!enabled) {
        return;
    }
    const float candidate = Elevation() + delta;
    if (Within(candidate, MinElevation(), kMaxElevation)) {
        elevation = candidate;
    }
}

void CCamera::ChangePanX(float dx) {
    const int width = screenWidth;
    if (!enabled || width == 0) {
        return;
    }
    const float candidate = dx * 1000.0f / static_cast<float>(width) + PanX();
    if (Within(candidate, kPanXMin, kPanXMax)) {
        panX = candidate;
    }
}

void CCamera::ChangePanY(float dy) {
    const int height = screenHeight;
    if (!enabled || height == 0) {
        return;
    }
    const float candidate = dy * 500.0f / static_cast<float>(height) + PanY();
    if (Within(candidate, kPanYMin, kPanYMax)) {
        panY = candidate;
    }
    UpdateMinElevation();
}

void CCamera::UpdateMinElevation() {
    if (!enabled) {
        return;
    }
    minElevation = std::atan(-PanY() / (kEyeDistance + 100.0f)) * 57.295780181884766f;
    if (MinElevation() > Elevation()) {
        elevation = MinElevation();
    }
}

void CCamera::ChangeZoom(int percent) {
    if (!enabled) {
        return;
    }
    const float candidate = (static_cast<float>(percent) / 100.0f + 1.0f) * Zoom();
    if (Within(candidate, kMinZoom, kMaxZoom)) {
        zoom = candidate;
    }
    projectionDirty = true;
}

void CCamera::AddRotation(float degrees) {
    if (enabled) {
        rotation = Rotation() + degrees;
    }
}

void CCamera::SetScreenSize(int width, int height) {
    screenWidth = width;
    screenHeight = height;
}
