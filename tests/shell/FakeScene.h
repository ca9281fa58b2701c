#pragma once

#include "chess/ChessSet.h"
#include "scene/Camera.h"
#include "scene/ScenePlayback.h"
#include "scene/SceneView.h"

#include <array>
#include <atomic>
#include <future>
#include <optional>
#include <string>
#include <vector>

// The 3D view as the shell and the player see it, without a renderer: it records what it is
// asked, withdraws a move not yet taken as the real scene does, and never draws a picture.
class CFakeScene final : public ISceneView, public IScenePlayback {
public:
    explicit CFakeScene(CChessSet& chessSet) : chessSet(chessSet) {}

    void RenderThread(IGLSurface&, const std::atomic<bool>&) override {}
    CCamera& Camera() override { return camera; }
    bool BuffersCreated() const override { return buffersCreated; }
    bool SceneShown() const override { return buffersCreated; }
    void ShowFps(bool on) override { showFps = on; }
    void SetSmoothEdges(bool on) override { smoothEdges = on; }
    void ShowCoordinates(bool on) override { coordinates = on; }
    void ShowLastMoveTint(bool on) override { lastMoveTint = on; }
    void ShowCheckTint(bool on) override { checkTint = on; }
    void RequestRedraw() override { projectionDirty = true; }
    void RequestResize(int, int) override {}
    std::future<CFrameImage> RequestCapture() override {
        captures.emplace_back();
        return captures.back().get_future();
    }
    void BeginContinuousRedraw() override { ++continuousRedraw; }
    void EndContinuousRedraw() override { --continuousRedraw; }
    void BeginWindowMove() override { ++windowMoveRedraw; }
    void EndWindowMove() override {
        if (windowMoveRedraw > 0) {
            --windowMoveRedraw;
        }
    }

    void RebuildPieces() override {}
    void ShowBoardNow() override { chessSet.ClearMoveReady(); }
    void ApplyAnimationDuration(std::uint32_t) override {}
    void SetGameResult(int result) override { gameResult = result; }
    void ShowLastMove(const std::optional<CMove>& move) override { lastMove = move; }
    void SetStartingSide(EPieceColor) override {}
    void SetClocks(const std::string& w, const std::string& b) override { clocks = {w, b}; }
    void SetBestMoveArrow(const std::optional<CBoardArrow>& shown) override { arrow = shown; }

    CChessSet& chessSet;
    std::atomic<bool> projectionDirty{false};
    std::atomic<bool> buffersCreated{false};
    std::atomic<bool> showFps{false};
    std::atomic<bool> smoothEdges{false};
    std::atomic<bool> coordinates{true};
    std::atomic<bool> lastMoveTint{true};
    std::atomic<bool> checkTint{true};
    std::optional<CMove> lastMove; // as the player last told it
    std::array<std::string, 2> clocks;
    std::optional<CBoardArrow> arrow;
    std::atomic<std::uint32_t> continuousRedraw{0};
    std::atomic<std::uint32_t> windowMoveRedraw{0};
    std::atomic<int> gameResult{3};
    CCamera camera{projectionDirty, buffersCreated};
    std::vector<std::promise<CFrameImage>> captures; // never fulfilled: nothing is drawn
};
