// startup_bench: how long the viewer's scene takes from program start to its first frame
// (window, context, six models on their threads, buffers, scene), and how much processor time
// the process uses per second while nothing moves. Needs a display (xvfb-run).

#include "support/SceneWindow.h"

#include <chrono>
#include <cstdio>
#include <sys/resource.h>
#include <thread>

namespace {

double ProcessCpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

} // namespace

int main(int argc, char** argv) {
    const auto start = std::chrono::steady_clock::now();
    auto since = [&] {
        return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
            .count();
    };
    CQtApplication application(argc, argv);
    CSceneWindow view;
    view.WaitUntilShown();
    const double shown = since();
    CScene& scene = view.scene;
    view.StartRendering(0);
    std::uint64_t framesAtReady = 0;
    RunEventLoopUntil(
        [&] {
            if (scene.SceneReady() && framesAtReady == 0) {
                framesAtReady = scene.FramesDrawn() + 1;
            }
            return framesAtReady != 0 && scene.FramesDrawn() >= framesAtReady;
        },
        60000);
    const double firstFrame = since();
    std::printf("window shown after %.0f ms, first frame of the scene after %.0f ms\n", shown,
                firstFrame);

    RunEventLoopUntil([] { return false; }, 1000); // let the first frames settle
    const double cpuBefore = ProcessCpuSeconds();
    const auto idleStart = std::chrono::steady_clock::now();
    RunEventLoopUntil([] { return false; }, 5000);
    const double idleSeconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - idleStart).count();
    const double cpu = ProcessCpuSeconds() - cpuBefore;
    std::printf("idle: %.1f ms of processor time per second (%.2f %% of one core)\n",
                cpu / idleSeconds * 1000.0, cpu / idleSeconds * 100.0);
    return 0;
}
