#!/usr/bin/env bash
# The opening explorer end to end: the viewer started on the samples (or on FILE) with the
# explorer's dock shown as a previous run left it; a step into the first game; the dock beside
# the view must then show its moves with their result bars (the bars' black part is #303030,
# a colour nothing else right of the view uses); the window closes with exit code 18.
# Usage: explorer_e2e.sh TAVRIN CLOSE_WINDOW OUT_DIR [FILE]   (from the source root)
# The screenshot stays in OUT_DIR/explorer.png for a look.
set -euo pipefail

tavrin=$1
closer=$2
out=$3
file=${4:-samples/famous_games.pgn}
mkdir -p "$out"

source "$(dirname "$0")/own_display.sh"
mkdir -p "$XDG_CONFIG_HOME/Tavrin"
printf '[view]\nopeningExplorer=1\n' >"$XDG_CONFIG_HOME/Tavrin/Tavrin.conf"

"$tavrin" "$file" >"$out/explorer.txt" 2>&1 &
app_pid=$!
main=
for _ in $(seq 300); do
    main=$(xdotool search --onlyvisible --name '^Tavrin - ' 2>/dev/null | head -n1) || true
    [ -n "$main" ] && break
    sleep 0.1
done
[ -n "$main" ] || fail "no game was listed"
eval "$(xdotool getwindowgeometry --shell "$(xdotool search --name '^GLWindow$' | head -n1)")"
right=$((X + WIDTH)) # the docks stand right of the view
xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT / 2)) click 1
sleep 0.5
xdotool key Right Right # 1. e4 e5: the explorer follows

# The bars' frames, counted right of the view.
bars() {
    import -window root "$out/explorer.png"
    local dark
    dark=$(convert "$out/explorer.png" -crop "$((1280 - right))x1024+${right}+0" +repage \
        -fill white +opaque '#606060' -fill black -opaque '#606060' -negate \
        -format '%[fx:round(mean*w*h)]' info:)
    [ "$dark" -gt 100 ]
}
for _ in $(seq 30); do
    bars && break
    sleep 0.5
done
bars || fail "the explorer shows no result bars (see $out/explorer.png)"
echo "the explorer shows its moves"

"$closer" "$main"
code=0
wait "$app_pid" || code=$?
app_pid=
[ "$code" = 18 ] || fail "exit code $code, not 18"
