// frame_bench [WIDTH HEIGHT]: draws frames of the initial position back to back in the viewer's
// window (1024 x 738 for the 3D view) and prints milliseconds per frame, without and with
// smooth edges; then plays a knight's jump and a capture back to back and prints the frame
// time while they animate, and while the camera swings round the board. Each figure comes with
// the processor time per frame of all the program's threads (the renderer's helpers too), which
// other work on the machine disturbs less. Needs a display (xvfb-run).

#include "support/SceneWindow.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <thread>

namespace {

struct SFrameTime {
    double wallMs = 0.0; // per frame
    double cpuMs = 0.0;  // per frame
};

class CStopwatch {
public:
    explicit CStopwatch(const CScene& scene)
        : scene(scene), start(std::chrono::steady_clock::now()), cpuStart(std::clock()),
          firstFrame(scene.FramesDrawn()) {}
    SFrameTime PerFrame() const {
        const auto frames = static_cast<double>(scene.FramesDrawn() - firstFrame);
        if (frames == 0.0) {
            return {};
        }
        const double wall =
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count();
        const double cpu = 1000.0 * static_cast<double>(std::clock() - cpuStart) / CLOCKS_PER_SEC;
        return {wall / frames, cpu / frames};
    }

private:
    const CScene& scene;
    std::chrono::steady_clock::time_point start;
    std::clock_t cpuStart;
    std::uint64_t firstFrame;
};

void Wait(int milliseconds) {
    RunEventLoopUntil([] { return false; }, milliseconds);
}

// Frames of the still position drawn back to back for `seconds`.
SFrameTime MeasureStill(CScene& scene, double seconds) {
    scene.BeginContinuousRedraw();
    Wait(300); // settle
    const CStopwatch watch(scene);
    Wait(static_cast<int>(seconds * 1000));
    const SFrameTime time = watch.PerFrame();
    scene.EndContinuousRedraw();
    return time;
}

// g1-f3 (a knight's jump) and e4xd5 (a capture: the pawn slides, the taken one fades and drops
// beside the board), each taking 1 s, the second started as soon as the first has ended; timed
// from the first frame of the jump to the end of the capture. e2-e4 and d7-d5 are played first,
// untimed, and the pieces are set back afterwards.
SFrameTime MeasureMoves(CSceneWindow& view) {
    CScene& scene = view.scene;
    CChessSet& chessSet = view.chessSet;
    auto play = [&](CMove move) {
        const std::uint64_t before = scene.MovesAnimated();
        chessSet.Move(move);
        RunEventLoopUntil([&] { return scene.MovesAnimated() > before; }, 20000);
    };
    scene.ApplyAnimationDuration(100);
    play({4, 1, 4, 3});
    play({3, 6, 3, 4});
    scene.ApplyAnimationDuration(1000);
    const std::uint64_t jump = scene.MovesAnimated() + 1;
    chessSet.Move({6, 0, 5, 2});
    RunEventLoopUntil([&] { return scene.DrawingContinuously(); }, 20000);
    const CStopwatch watch(scene);
    RunEventLoopUntil([&] { return scene.MovesAnimated() == jump; }, 20000);
    play({4, 3, 3, 4});
    const SFrameTime time = watch.PerFrame();
    chessSet.Reset();
    scene.RebuildPieces();
    scene.RequestRedraw();
    Wait(300);
    return time;
}

// The camera swung round the board to Black's side and back (F, twice), three times over: the
// frames drawn back to back while it moves.
SFrameTime MeasureSwings(CScene& scene) {
    CCamera& camera = scene.Camera();
    const CStopwatch watch(scene);
    for (int i = 0; i < 6; ++i) {
        camera.SetSideInFront(i % 2 == 0 ? Black : White);
        RunEventLoopUntil([&] { return !camera.Moving(); }, 20000);
    }
    return watch.PerFrame();
}

void Print(const char* what, const SFrameTime& time) {
    std::printf("%-38s %6.1f ms/frame  (CPU %6.1f ms/frame)\n", what, time.wallMs, time.cpuMs);
}

} // namespace

int main(int argc, char** argv) {
    CQtApplication application(argc, argv);
    CSceneWindow view;
    if (!view.WaitUntilShown() || !view.StartRendering()) {
        std::fputs("frame_bench: the scene did not get ready\n", stderr);
        return 1;
    }
    if (argc > 2) {
        view.window->Resize(std::atoi(argv[1]), std::atoi(argv[2]));
        Wait(500);
    }
    // The renderer compiles its shaders and the driver settles its memory over the first
    // frames; they are not measured.
    view.scene.BeginContinuousRedraw();
    Wait(3000);
    view.scene.EndContinuousRedraw();
    IGLSurface& surface = view.window->Surface();
    std::printf("view %d x %d, %s renderer (smooth edges %s by default)\n", surface.Width(),
                surface.Height(), surface.HardwareAccelerated() ? "hardware" : "software",
                surface.HardwareAccelerated() ? "on" : "off");
    for (int round = 0; round < 2; ++round) {
        for (bool smooth : {false, true}) {
            view.scene.SetSmoothEdges(smooth);
            Print(smooth ? "still position, smooth edges:" : "still position:",
                  MeasureStill(view.scene, 3.0));
        }
        for (bool smooth : {false, true}) {
            view.scene.SetSmoothEdges(smooth);
            Print(smooth ? "jump and capture, smooth edges:" : "jump and capture:",
                  MeasureMoves(view));
        }
        for (bool smooth : {false, true}) {
            view.scene.SetSmoothEdges(smooth);
            Print(smooth ? "swing round the board, smooth edges:" : "swing round the board:",
                  MeasureSwings(view.scene));
        }
    }
    return 0;
}
