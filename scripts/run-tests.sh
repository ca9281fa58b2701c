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

if [ -z "${DISPLAY:-}" ]; then
  xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" ctest --preset "$preset"
else
  ctest --preset "$preset"
fi
