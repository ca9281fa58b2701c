#pragma once

#include "chess/Piece.h"
#include "scene/ViewPose.h"

#include <atomic>
#include <cstdint>
#include <mutex>

// The orbiting camera: a viewpoint (the default view, a high view almost straight down, the
// player's view from the chair), the side in front, and what the mouse adds: zoom, elevation
// (tilt about x), rotation (turn about y) and pan, about the board centre. Every mouse change
// computes a candidate and keeps it only when it lies within the limits (both ends included);
// a candidate outside is dropped, never clamped. Mouse changes do nothing while the scene is
// still loading; choosing a viewpoint, a side or resetting always works.
//
// A new viewpoint, a reset and a change of side do not jump: the view moves there over
// kMoveMs, a function of the time elapsed since the change (Pose), so that a frame drawn at any
// moment shows where the camera is then.
//
// The interface thread changes the values; the render thread reads them while drawing. Each is
// a single atomic value, so a frame may mix old and new values of a change in progress, which
// shows at most for one frame; the start of a move is guarded by a mutex.
class CCamera {
public:
    static constexpr float kMaxElevation = 90.0f;
    static constexpr float kMinZoom = 0.4f;
    static constexpr float kMaxZoom = 10.0f;
    static constexpr float kPanXMax = 250.0f;
    static constexpr float kPanXMin = -250.0f;
    static constexpr float kPanYMin = -207.0f;
    static constexpr float kPanYMax = 200.0f;
    // How long the view takes to swing round the board or to move to another viewpoint.
    static constexpr std::uint32_t kMoveMs = 600;

    // `projectionDirty` is raised whenever the projection must be applied again; mouse changes
    // are accepted only while `enabled` is true (the scene's buffers exist).
    CCamera(std::atomic<bool>& projectionDirty, const std::atomic<bool>& enabled);

    // Back to the chosen viewpoint as it comes: its elevation, zoom 1, no pan, and rotation 0,
    // or 180 while Black sits in front; the lower elevation limit recomputed.
    void ResetView();
    // Chooses a viewpoint and resets to it.
    void SetViewpoint(EViewpoint viewpoint);
    EViewpoint Viewpoint() const { return viewpoint.load(std::memory_order_relaxed); }
    // The side whose pieces are in front. Choosing the other side swings the view as it stands
    // by 180 degrees about the board's centre.
    void SetSideInFront(EPieceColor side);
    EPieceColor SideInFront() const { return sideInFront.load(std::memory_order_relaxed); }
    void ChangeElevation(float delta);
    // Pan steps are scaled by the desktop size: dx * 1000 / width, dy * 500 / height.
    void ChangePanX(float dx);
    void ChangePanY(float dy);
    // The camera stays above the level of the board: elevation >= atan(-panY / 285).
    void UpdateMinElevation();
    // zoom *= 1 + percent / 100; raises projectionDirty whether or not it was accepted.
    void ChangeZoom(int percent);
    void AddRotation(float degrees);
    // Takes over where `other` comes to rest, its viewpoint and the side it has in front, at
    // once (a second view of the same scene, such as a video's).
    void CopyFrom(const CCamera& other);
    // A move under way ends at once where it was going: for a view drawn at moments of its
    // own, whose clock is not the one a move runs on.
    void StopMoving();
    void SetScreenSize(int width, int height);

    // Where the camera is at tick `now` in a view of `aspect` (width / height): on its way while
    // a move runs, else at rest.
    SViewPose Pose(std::uint32_t now, double aspect) const;
    // Where the camera comes to rest.
    SViewPose RestingPose(double aspect) const;
    // True from a change until the renderer has drawn a frame at the end of its move.
    bool Moving() const { return moving.load(std::memory_order_acquire); }
    // The renderer has drawn a frame at tick `now`: a move whose time is over ends.
    void FrameDrawn(std::uint32_t now);

    float Elevation() const { return elevation.load(std::memory_order_relaxed); }
    float MinElevation() const { return minElevation.load(std::memory_order_relaxed); }
    float Rotation() const { return rotation.load(std::memory_order_relaxed); }
    float Zoom() const { return zoom.load(std::memory_order_relaxed); }
    float PanX() const { return panX.load(std::memory_order_relaxed); }
    float PanY() const { return panY.load(std::memory_order_relaxed); }
    // Vertical field of view of the projection, in degrees.
    double FieldOfView() const { return kBaseFieldOfView / static_cast<double>(Zoom()); }

private:
    static bool Within(float value, float low, float high) { return value >= low && value <= high; }
    // The values a pose is made of, as they stand.
    SCameraSettings Settings() const;
    // Remembers where the camera is now as the start of a move; called before a change.
    void BeginMove();

    std::atomic<bool>& projectionDirty;
    const std::atomic<bool>& enabled;
    std::atomic<EViewpoint> viewpoint{EViewpoint::Default};
    std::atomic<EPieceColor> sideInFront{White};
    std::atomic<float> elevation{0.0f};
    std::atomic<float> minElevation{0.0f};
    std::atomic<float> rotation{0.0f};
    std::atomic<float> zoom{1.0f};
    std::atomic<float> panX{0.0f};
    std::atomic<float> panY{0.0f};
    std::atomic<int> screenWidth{0};
    std::atomic<int> screenHeight{0};

    // The aspect of the view last drawn, for the start of a move.
    mutable std::atomic<double> viewAspect{16.0 / 10.0};
    std::atomic<bool> moving{false};
    mutable std::mutex moveMutex; // guards the two below
    SViewPose moveFrom{};         // where the running move began
    std::uint32_t moveStart = 0;
};
