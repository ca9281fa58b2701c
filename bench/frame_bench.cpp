// frame_bench [WIDTH HEIGHT]: draws frames of the initial position back to back in the viewer's
// window (1024 x 738 for the 3D view) and prints milliseconds per frame, with the floor drawn in
// one call and tile by tile. Needs a display (xvfb-run).

#include "support/SceneWindow.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <thread>

namespace {

struct SFrameTime {
    double wallMs = 0.0; // per frame
    double cpuMs = 0.0;  // per frame, all threads of the process (the renderer's helpers too)
};

// Frames drawn back to back for `seconds`.
SFrameTime MeasureFrames(CScene& scene, double seconds) {
    scene.continuousRedraw = 1;
    RunEventLoopUntil([] { return false; }, 300); // settle
    const auto start = std::chrono::steady_clock::now();
    const std::clock_t cpuStart = std::clock();
    const std::uint64_t first = scene.framesDrawn;
    RunEventLoopUntil([] { return false; }, static_cast<int>(seconds * 1000));
    const std::uint64_t frames = scene.framesDrawn - first;
    const double cpu = 1000.0 * static_cast<double>(std::clock() - cpuStart) / CLOCKS_PER_SEC;
    const double elapsed =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    scene.continuousRedraw = 0;
    if (frames == 0) {
        return {};
    }
    return {elapsed / static_cast<double>(frames), cpu / static_cast<double>(frames)};
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
        RunEventLoopUntil([] { return false; }, 500);
    }
    IGLSurface& surface = view.window->Surface();
    std::printf("view %d x %d\n", surface.Width(), surface.Height());
    for (int round = 0; round < 2; ++round) {
        const SFrameTime still = MeasureFrames(view.scene, 3.0);
        std::printf("still position: %.1f ms/frame (CPU %.1f ms/frame)\n", still.wallMs,
                    still.cpuMs);
    }
    return 0;
}
