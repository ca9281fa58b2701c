#!/usr/bin/env bash
# tavrin --export on the command line: a bad argument prints the reason and the usage and exits
# 2; a file that cannot be read and a full disk (a file size limit) exit 1 with the reason; none
# leaves a file behind. A short export exits 0 and names what it wrote.
# Usage: export_cli.sh TAVRIN   (from the source root, with a display)
set -uo pipefail
tavrin=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

# expect CODE TEXT -- ARGS...: runs the export and checks the exit code, a line of its output
# and that no video or partial file is left in $work.
expect() {
    local code=$1 text=$2
    shift 3
    local got=0
    "$tavrin" --export "$@" >"$work/out.txt" 2>&1 || got=$?
    if [ "$got" != "$code" ] || ! grep -qF -- "$text" "$work/out.txt"; then
        cat "$work/out.txt"
        echo "FAIL: $*: exit code $got (expected $code), output without '$text'"
        return 1
    elif ls "$work" | grep -qE '\.(mp4|webm|gif|part)$'; then
        echo "FAIL: $*: a file was left behind: $(ls "$work")"
        return 1
    else
        echo "ok: $* -> $got, $text"
    fi
}
check() { expect "$@" || failures=$((failures + 1)); }

game=samples/famous_games.pgn
check 2 "tavrin: --fps takes a number, not 'x'" -- "$work/a.mp4" --fps x "$game"
check 2 "tavrin: the video's name must end in .mp4, .webm or .gif: '$work/a.avi'" -- \
    "$work/a.avi" "$game"
check 2 "tavrin: The size 1281x720 cannot be encoded" -- "$work/a.mp4" --size 1281x720 "$game"
check 2 "Usage: tavrin --export" -- "$work/a.mp4"
check 1 "tavrin: 'samples/famous_games.pgn' has 8 games: there is no game 9." -- \
    "$work/a.mp4" --game 9 "$game"
check 1 "tavrin: FullMoveRange(): The game has no moves 90-95." -- \
    "$work/a.mp4" --moves 90-95 "$game"
check 1 "tavrin: AFileReader::" -- "$work/a.mp4" "$work/missing.pgn"
# A full disk: the file may not grow past 64 KiB.
(ulimit -f 64 && expect 1 "Cannot write '$work/full.mp4': File too large" -- \
    "$work/full.mp4" --size 640x360 "$game") || failures=$((failures + 1))

out=$("$tavrin" --export "$work/short.webm" --moves 1-1 --size 320x180 --fps 60 "$game")
if [ "$out" != "$work/short.webm: 492 frames, 320x180 at 60 fps" ] || [ ! -s "$work/short.webm" ]; then
    echo "FAIL: short export: '$out'"
    failures=$((failures + 1))
else
    echo "ok: $out"
fi
[ "$failures" = 0 ] && echo PASS || { echo "$failures failed"; exit 1; }
