#include "scene/Camera.h"

#include "common/Ticks.h"

#include <cmath>

namespace {

// The lower elevation limit keeps the camera above the board's level when the pan lowers it:
// elevation >= atan(-panY / kPanPivot).
constexpr float kPanPivot = 285.0f;
constexpr float kDegreesPerRadian = 57.295780181884766f;

} // namespace

CCamera::CCamera(std::atomic<bool>& projectionDirty, const std::atomic<bool>& enabled)
    : projectionDirty(projectionDirty), enabled(enabled) {
    ResetView();
    moving = false;
}

SCameraSettings CCamera::Settings() const {
    return {Viewpoint(), Elevation(), Rotation(), Zoom(), PanX(), PanY()};
}

void CCamera::BeginMove() {
    const std::uint32_t now = TickCount();
    // Where the camera is at this moment, even half-way through a move, in the view as it was
    // last drawn.
    const SViewPose current = Pose(now, viewAspect.load(std::memory_order_relaxed));
    const std::lock_guard lock(moveMutex);
    moveFrom = current;
    moveStart = now;
    moving.store(true, std::memory_order_release);
    projectionDirty = true;
}

SViewPose CCamera::Pose(std::uint32_t now, double aspect) const {
    viewAspect.store(aspect, std::memory_order_relaxed);
    const SViewPose resting = PoseOf(Settings(), aspect);
    if (!Moving()) {
        return resting;
    }
    const std::lock_guard lock(moveMutex);
    const std::uint32_t elapsed = now - moveStart;
    // A moment taken just before the move began counts as its start.
    const double t = static_cast<std::int32_t>(elapsed) < 0
                         ? 0.0
                         : static_cast<double>(elapsed) / static_cast<double>(kMoveMs);
    return Blend(moveFrom, resting, t);
}

SViewPose CCamera::RestingPose(double aspect) const {
    return PoseOf(Settings(), aspect);
}

void CCamera::FrameDrawn(std::uint32_t now) {
    if (!Moving()) {
        return;
    }
    const std::lock_guard lock(moveMutex);
    const std::uint32_t elapsed = now - moveStart;
    if (static_cast<std::int32_t>(elapsed) >= static_cast<std::int32_t>(kMoveMs)) {
        moving.store(false, std::memory_order_release);
    }
}

void CCamera::ResetView() {
    BeginMove();
    zoom = 1.0f;
    elevation = ViewpointElevation(Viewpoint());
    rotation = SideInFront() == Black ? 180.0f : 0.0f;
    panX = 0.0f;
    panY = 0.0f;
    minElevation = std::atan(-PanY() / kPanPivot) * kDegreesPerRadian;
    if (MinElevation() > Elevation()) {
        elevation = MinElevation();
    }
}

void CCamera::SetViewpoint(EViewpoint chosen) {
    viewpoint = chosen;
    ResetView();
}

void CCamera::SetSideInFront(EPieceColor side) {
    if (sideInFront.load() != side) {
        BeginMove();
        sideInFront = side;
        rotation = std::fmod(Rotation() + 180.0f, 360.0f);
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
    minElevation = std::atan(-PanY() / kPanPivot) * kDegreesPerRadian;
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

void CCamera::CopyFrom(const CCamera& other) {
    viewpoint = other.Viewpoint();
    sideInFront = other.SideInFront();
    elevation = other.Elevation();
    minElevation = other.MinElevation();
    rotation = other.Rotation();
    zoom = other.Zoom();
    panX = other.PanX();
    panY = other.PanY();
    StopMoving();
}

void CCamera::StopMoving() {
    moving.store(false, std::memory_order_release);
    projectionDirty = true;
}
