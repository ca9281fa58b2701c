#!/usr/bin/env bash
# Builds the tsan preset and runs the tests in which threads meet: the player with its
# consumer, whole games played on screen with the render, animation and player threads, the
# board's tints following steps and jumps, the shell's commands and steps, which start and end
# the player thread, the workers that make the table's search keys and read a shown game's
# annotations, closing the window during playback, the engine's analysis threads (the fake
# engine's faults, the real engine), the video export's worker beside the window's render
# thread, and a compressed file decompressed on one thread while others parse it.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
# The system libraries (Qt, glib, X11, GLX, Mesa) are not built for ThreadSanitizer; their
# internal locking is left out so that what is reported concerns our own code.
export TSAN_OPTIONS="ignore_noninstrumented_modules=1:suppressions=$PWD/tests/tsan.supp"
cmake --preset tsan
cmake --build --preset tsan --target GamePlayerTest GamePlaybackGuiTest SceneAnimationGuiTest \
  SetUpPositionGuiTest BoardMarksGuiTest CameraViewsGuiTest ShellCommandsTest ShellNavigationTest \
  ShellNotationTest ShellGamesTableTest ShellExplorerTest ShellShutdownTest EngineTest RealEngineTest GameOpeningsTest \
  PositionIndexTest VideoExportGuiTest ShellExportTest CompressedReadTest ShellEngineTest
filter='GamePlayer|GamePlaybackGui|SceneAnimationGui|SetUpPositionGui|BoardMarksGui|CameraViewsGui|ShellCommands|ShellNavigation|ShellNotation|ShellVariations|ShellShow|ShellGamesTable|ShellExplorer|ShellShutdown|LiveAnalysis|RealEngine|GameOpenings|PositionIndex|VideoExportGui|ShellExport|CompressedRead|ShellEngine'
if [ -z "${DISPLAY:-}" ]; then
  xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" ctest --preset tsan -R "$filter"
else
  ctest --preset tsan -R "$filter"
fi
