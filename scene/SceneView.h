#pragma once

#include "platform/FrameImage.h"

#include <atomic>
#include <future>
#include <optional>
#include <string>

class CCamera;

// The engine's best move drawn on the board: from square to square, files and ranks 0-7.
struct CBoardArrow {
    int fromFile = 0;
    int fromRank = 0;
    int toFile = 0;
    int toRank = 0;

    bool operator==(const CBoardArrow&) const = default;
};
class IGLSurface;

// What the shell asks of the 3D view: its render thread, the camera, the frame-rate display,
// smooth edges and the board's marks, a redraw, a new size, a picture of the next frame, and the
// reasons to draw frames back to back (a drag of the view, a move or resize of the window). CScene
// implements it; the shell's tests use a fake. Calls are made on the interface thread unless said.
class ISceneView {
public:
    virtual ~ISceneView() = default;

    // The render thread's entry: draws on the surface while `appRunning` holds.
    virtual void RenderThread(IGLSurface& surface, const std::atomic<bool>& appRunning) = 0;

    virtual CCamera& Camera() = 0;
    // True once the scene's buffers exist; the view does not turn before.
    virtual bool BuffersCreated() const = 0;
    // True once the scene is built and a frame of it drawn: a view off screen whose context
    // shares this one's objects finds every buffer and texture it needs. Any thread.
    virtual bool SceneShown() const = 0;

    virtual void ShowFps(bool on) = 0;
    virtual void SetSmoothEdges(bool on) = 0;
    // The board's marks: the coordinates on its frame, the last move's squares, a king in
    // check. Any thread; each asks for a redraw.
    virtual void ShowCoordinates(bool on) = 0;
    virtual void ShowLastMoveTint(bool on) = 0;
    virtual void ShowCheckTint(bool on) = 0;

    // The clocks of White and Black in the position on show ([%clk] values as the game gives
    // them), shown beside the board on each player's side; an empty text shows nothing.
    virtual void SetClocks(const std::string& white, const std::string& black) = 0;

    // The engine's best move as a translucent arrow lying on the board, above the pieces'
    // shadows and below the pieces; none for nullopt. Any thread; asks for a redraw.
    virtual void SetBestMoveArrow(const std::optional<CBoardArrow>& arrow) = 0;

    // Asks the render thread to apply the projection again and draw. Any thread.
    virtual void RequestRedraw() = 0;
    // The view's new client size, applied before the next frame.
    virtual void RequestResize(int width, int height) = 0;
    // The next frame, read back; broken if the render thread ends first. Any thread.
    virtual std::future<CFrameImage> RequestCapture() = 0;

    // One more (or one less) reason to draw frames back to back: a mouse drag of the view.
    virtual void BeginContinuousRedraw() = 0;
    virtual void EndContinuousRedraw() = 0;
    // A move or resize of the window has begun or ended: frames are drawn, at a slower pace,
    // while any is under way.
    virtual void BeginWindowMove() = 0;
    virtual void EndWindowMove() = 0;
};
