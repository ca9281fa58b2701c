#!/usr/bin/env bash
# Installs what is missing, configures, builds and runs every test through CTest.
# Usage: scripts/run-tests.sh [preset]   (default, asan or tsan; default: default)
# Tests that need a display run under xvfb-run when no display is set.
set -euo pipefail
cd "$(dirname "$0")/.."
preset=${1:-default}

bash scripts/install-deps.sh
# Leaks inside the system libraries that Qt loads are not ours (used by the asan preset).
export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp${LSAN_OPTIONS:+:$LSAN_OPTIONS}"
cmake --preset "$preset"
cmake --build --preset "$preset"

run_ctest() {
  if [ -z "${DISPLAY:-}" ]; then
    xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" ctest --preset "$preset" "$@"
  else
    ctest --preset "$preset" "$@"
  fi
}

if [ "$preset" = asan ]; then
  # The GL driver and Qt's plugins are unloaded at exit, so what they keep can no longer be
  # told apart from our own memory: the tests with a display run without leak detection, all
  # others with it.
  run_ctest -LE gui
  ASAN_OPTIONS="detect_leaks=0${ASAN_OPTIONS:+:$ASAN_OPTIONS}" run_ctest -L gui
else
  run_ctest
fi
