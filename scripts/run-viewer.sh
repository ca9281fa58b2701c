#!/usr/bin/env bash
# Installs what is missing, builds the viewer and opens it on the bundled sample games (or on
# the one PGN file given). Needs a desktop session (DISPLAY set).
# Usage: scripts/run-viewer.sh [FILE]
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
cmake --preset default
cmake --build --preset default --target tavrin
exec build/default/app/tavrin "${1:-samples/famous_games.pgn}"
