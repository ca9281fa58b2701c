#pragma once

#include "chess/Piece.h"

#include <atomic>

// The orbiting camera: zoom, elevation (tilt about x), rotation (turn about y) and pan, about
// the board centre. Every change computes a candidate and keeps it only when it lies within the
// limits (both ends included); a candidate outside is dropped, never clamped. Changes do
// nothing while the scene is still loading; ResetView always works. The default view looks
// from the side chosen to sit in front, White's unless set otherwise.
//
// The interface thread changes the values; the render thread reads them while drawing. Each is
// a single atomic value, so a frame may mix old and new values of a change in progress, which
// shows at most for one frame.
class CCamera {
public:
    static constexpr float kSceneCentre = 100.0f;
    static constexpr float kMaxElevation = 90.0f;
    static constexpr float kMinZoom = 0.4f;
    static constexpr float kMaxZoom = 10.0f;
    static constexpr float kPanXMax = 250.0f;
    static constexpr float kPanXMin = -250.0f;
    static constexpr float kPanYMin = -207.0f;
    static constexpr float kPanYMax = 200.0f;
    // Far enough back for the framed board to fit the default view.
    static constexpr float kEyeDistance = 185.0f;

    // `projectionDirty` is raised whenever the projection must be applied again; changes are
    // accepted only while `enabled` is true (the scene's buffers exist).
    CCamera(std::atomic<bool>& projectionDirty, const std::atomic<bool>& enabled);

    // Zoom 1, elevation 50, pan (0, -15), the lower elevation limit recomputed, and rotation 0,
    // or 180 while Black sits in front.
    void ResetView();
    // The side whose pieces are in front in the default view. Choosing the other side turns
    // the view as it stands by 180 degrees about the board's centre. Works at any time.
    void SetSideInFront(EPieceColor side);
    EPieceColor SideInFront() const { return sideInFront.load(std::memory_order_relaxed); }
    void ChangeElevation(float delta);
    // Pan steps are scaled by the desktop size: dx * 1000 / width, dy * 500 / height.
    void ChangePanX(float dx);
    void ChangePanY(float dy);
    // The camera stays above the level of the board: elevation >= atan(-panY / 250).
    void UpdateMinElevation();
    // zoom *= 1 + percent / 100; raises projectionDirty whether or not it was accepted.
    void ChangeZoom(int percent);
    void AddRotation(float degrees);
    void SetScreenSize(int width, int height);

    float Elevation() const { return elevation.load(std::memory_order_relaxed); }
    float MinElevation() const { return minElevation.load(std::memory_order_relaxed); }
    float Rotation() const { return rotation.load(std::memory_order_relaxed); }
    float Zoom() const { return zoom.load(std::memory_order_relaxed); }
    float PanX() const { return panX.load(std::memory_order_relaxed); }
    float PanY() const { return panY.load(std::memory_order_relaxed); }
    // Vertical field of view of the projection, in degrees.
    double FieldOfView() const { return 45.0 / static_cast<double>(Zoom()); }
    // The same for a view of `aspect` (width / height): a view narrower than the default window's
    // (the notation panel beside it) sees as far to the sides as that window does, so the board
    // stays whole.
    double FieldOfView(double aspect) const;
    // The aspect of the 3D view in the default window, 1024 x 719.
    static constexpr double kDefaultAspect = 1024.0 / 719.0;

private:
    static bool Within(float value, float low, float high) { return value >= low && value <= high; }

    std::atomic<bool>& projectionDirty;
    const std::atomic<bool>& enabled;
    std::atomic<EPieceColor> sideInFront{White};
    std::atomic<float> elevation{50.0f};
    std::atomic<float> minElevation{0.0f};
    std::atomic<float> rotation{0.0f};
    std::atomic<float> zoom{1.0f};
    std::atomic<float> panX{0.0f};
    std::atomic<float> panY{-15.0f};
    std::atomic<int> screenWidth{0};
    std::atomic<int> screenHeight{0};
};
