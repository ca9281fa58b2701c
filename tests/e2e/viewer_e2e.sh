#!/usr/bin/env bash
# The viewer end to end, as a user drives it, on a display of its own:
#   start it on the samples, find the window, choose 100 ms / 0 ms in the menus, play the first
#   game to its end, press 2, 3 and F for the camera's views, compare the view before and after (the squares whose pieces changed look
#   different, the result line appeared), open a second file with Ctrl+O and the dialog (the
#   game list grows), close the window (exit code 18); then start it on a large database whose
#   load takes seconds (the board shows, during and after the load) and close it while it loads.
#   On the way: a load keeps the game on show and fills the status line; Esc right after Ctrl+G;
#   Ctrl+C then Ctrl+V of a position; the notation panel at 800 px and 480 px.
# Usage: viewer_e2e.sh TAVRIN SQUARE_PROBE CLOSE_WINDOW PGN_WRITER OUT_DIR   (from the source
# root; PGN_WRITER is pgn_load_bench, which writes generated games)
# The screenshots stay in OUT_DIR for a look.
set -euo pipefail

tavrin=$1
probe=$2
closer=$3
writer=$4
out=$5
sample=samples/famous_games.pgn
second=$PWD/tests/fixtures/pgn/castling_and_promotion.pgn

mkdir -p "$out"
rm -f "$out"/*.png "$out"/*.txt

source "$(dirname "$0")/own_display.sh"

# Waits until the command succeeds, up to $1 tenths of a second.
wait_for() {
    local tenths=$1
    shift
    for _ in $(seq "$tenths"); do
        if "$@" >/dev/null 2>&1; then
            return 0
        fi
        sleep 0.1
    done
    return 1
}

shot() { import -window "$gl" "$out/$1"; }
# Mean brightness (0..1) of the region WxH+X+Y of a picture.
mean_of() { convert "$1" -crop "$2" +repage -colorspace Gray -format '%[fx:mean]' info:; }
# Share (0..1) of nearly white pixels in a region: the result line is white text.
white_share() {
    convert "$1" -crop "$2" +repage -colorspace Gray -threshold 85% -format '%[fx:mean]' info:
}
# Root-mean-square difference (0..1) of two pictures over a region.
difference() {
    convert "$1" -crop "$3" +repage "$scratch/a.png"
    convert "$2" -crop "$3" +repage "$scratch/b.png"
    compare -metric RMSE "$scratch/a.png" "$scratch/b.png" null: 2>&1 | sed 's/.*(\(.*\))/\1/' || true
}
above() { awk -v a="$1" -v b="$2" 'BEGIN { exit !(a > b) }'; }
# Takes the view into $1 once it has stopped changing (two pictures 0.3 s apart agree), or
# after 15 s.
shot_when_still() {
    shot "$1"
    for _ in $(seq 50); do
        sleep 0.3
        shot still.png
        if [ "$(difference "$out/$1" "$out/still.png" "${gl_width}x${gl_height}+0+0")" = 0 ]; then
            rm -f "$out/still.png"
            return 0
        fi
        mv "$out/still.png" "$out/$1"
    done
    rm -f "$out/still.png"
}
visible_windows() { xdotool search --onlyvisible --name '' 2>/dev/null | sort; }

# --- start on the samples and find the window ------------------------------------------------
"$tavrin" "$sample" >"$out/tavrin.txt" 2>&1 &
app_pid=$!
wait_for 200 xdotool search --onlyvisible --name '^Tavrin( - .*)?$' || fail "no window titled Tavrin"
main=$(xdotool search --onlyvisible --name '^Tavrin( - .*)?$' | head -n1)
eval "$(xdotool getwindowgeometry --shell "$main")"
[ "$WIDTH" = 1024 ] && [ "$HEIGHT" = 768 ] || fail "main window is ${WIDTH}x${HEIGHT}"
gl=$(xdotool search --name '^GLWindow$' | head -n1)
eval "$(xdotool getwindowgeometry --shell "$gl")"
gl_width=$WIDTH
gl_height=$HEIGHT
# The control strip's middle, in window coordinates: just above the view.
gl_y=$(xwininfo -id "$gl" | sed -n 's/^ *Absolute upper-left Y: *//p')
strip_middle=$((gl_y - 15))
echo "window $main 1024x768, view ${gl_width}x${gl_height}"

# The scene has been built once the board shows (in the picture $1, start.png by default).
board_shown() {
    local picture=${1:-start.png}
    shot "$picture"
    above "$(mean_of "$out/$picture" 200x100+$((gl_width / 2 - 100))+$((gl_height / 2 - 50)))" 0.2
}
wait_for 600 board_shown || fail "the board never showed"
sleep 1

# --- 100 ms animation, 0 ms pause through the menus ------------------------------------------
# File, Edit, Game, View, then Options with its submenus.
open_options_menu() {
    xdotool mousemove --window "$main" 18 8 click 1 && sleep 0.5
    xdotool key --delay 150 Right Right Right Right && sleep 0.3
}
open_options_menu
xdotool key Right # opens "Animation duration"
sleep 0.3
xdotool key Return # "100 ms"
sleep 0.3
open_options_menu
xdotool key Down Right # opens "Pause duration"
sleep 0.3
xdotool key Return # "0 ms"
sleep 0.3
open_options_menu
xdotool key Right
sleep 0.5
import -window root "$out/animation_menu.png"
xdotool key Escape Escape Escape
sleep 0.5

# --- play the first game to its end -------------------------------------------------------------
shot_when_still before.png
result_region=300x30+5+2 # "Game over - ..." is written at the top left
before_white=$(white_share "$out/before.png" "$result_region")
xdotool mousemove --window "$main" 45 "$strip_middle" click 1 # play
result_shown() {
    shot after.png
    above "$(white_share "$out/after.png" "$result_region")" "$(awk -v b="$before_white" 'BEGIN { print b + 0.02 }')"
}
wait_for 1800 result_shown || fail "the result line never appeared"
shot_when_still after.png
echo "result line: white share $(white_share "$out/after.png" "$result_region") (was $before_white)"

changed=0
total=0
while read -r square x y; do
    total=$((total + 1))
    # From the square up to the height of a king: a piece that took the place of another one
    # of its colour differs mostly in its outline.
    d=$(difference "$out/before.png" "$out/after.png" 11x45+$((x - 5))+$((y - 40)))
    if above "$d" 0.04; then
        changed=$((changed + 1))
    else
        echo "square $square at ($x, $y) looks the same (difference $d)"
    fi
done < <("$probe" "$sample" 0 "$gl_width" "$gl_height")
echo "squares whose piece changed: $changed of $total look different"
[ "$total" -gt 0 ] && [ "$changed" -eq "$total" ] || fail "moved pieces' squares unchanged"

# --- a second file through Ctrl+O and the dialog: the list grows -----------------------------
popup_height() {
    local before after popup
    before=$(visible_windows)
    xdotool mousemove --window "$main" 500 "$strip_middle" click 1
    sleep 0.7
    after=$(visible_windows)
    popup=$(comm -13 <(echo "$before") <(echo "$after") | head -n1)
    [ -n "$popup" ] || fail "the game list did not open"
    xdotool getwindowgeometry --shell "$popup" | sed -n 's/^HEIGHT=//p'
    import -window root "$out/$1"
    xdotool key Escape
    sleep 0.5
}
listed_before=$(popup_height list_before.png)
title_before_load=$(xdotool getwindowname "$main")
windows_before=$(visible_windows)
xdotool mousemove --window "$gl" 300 300 click 1 # shortcuts work while the view has the focus
xdotool key ctrl+o
dialog_open() { [ -n "$(comm -13 <(echo "$windows_before") <(visible_windows))" ]; }
wait_for 100 dialog_open || fail "Ctrl+O opened no dialog"
sleep 0.5
xdotool type --delay 5 "$second"
xdotool key Return
sleep 1.5
listed_after=$(popup_height list_after.png)
echo "game list height: $listed_before -> $listed_after"
[ "$listed_after" -gt "$listed_before" ] || fail "the game list did not grow"
echo "the load kept '$title_before_load' on show: '$(xdotool getwindowname "$main")'"
[ "$(xdotool getwindowname "$main")" = "$title_before_load" ] || fail "the load changed the game"
import -window "$main" "$out/status_line.png"
eval "$(xdotool getwindowgeometry --shell "$main")"
status_text=$(white_share "$out/status_line.png" "300x16+4+$((HEIGHT - 18))")
echo "status line: share of light pixels $status_text"
above 0.98 "$status_text" || fail "the status line says nothing after the load"

# --- stepping with the keys ------------------------------------------------------------------------
# Right x3, Left x1 (the keys arrive while moves are still being animated) shows the position
# after two moves, as Home and two steps do.
xdotool mousemove --window "$gl" 300 300 click 1
xdotool key Home # the load left the game at its end, where it was
sleep 0.5
xdotool key --delay 40 Right Right Right Left
shot_when_still steps_3_back_1.png
xdotool key Home
shot_when_still home.png
xdotool key Right
shot_when_still steps_1.png
xdotool key Right
shot_when_still steps_2.png
steps_difference=$(difference "$out/steps_3_back_1.png" "$out/steps_2.png" "${gl_width}x${gl_height}+0+0")
echo "Right x3 Left x1 against two steps: difference $steps_difference"
above 0.01 "$steps_difference" || fail "Right x3, Left x1 is not the position after two moves"
above "$(difference "$out/steps_2.png" "$out/before.png" "${gl_width}x${gl_height}+0+0")" 0.01 ||
    fail "the steps moved nothing"

# --- a click in the notation panel ----------------------------------------------------------------
# The 5th move, found by the highlight that Home and Right x5 put on it: a click on it shows the
# view that Home and Right x5 show.
xdotool key Home Right Right Right Right Right
shot_when_still five_steps.png
import -window root "$scratch/panel.png"
highlight=$(convert "$scratch/panel.png" -fuzz 8% -fill black +opaque "#f6d36b" -format %@ info:)
read -r hw hh hx hy <<<"$(echo "$highlight" | tr 'x+' '  ')"
[ "${hw:-0}" -gt 5 ] && [ "${hw:-0}" -lt 200 ] || fail "no highlighted move in the panel ($highlight)"
xdotool key Home
shot_when_still home_again.png
xdotool mousemove $((hx + hw / 2)) $((hy + hh / 2)) click 1
shot_when_still clicked_fifth.png
click_difference=$(difference "$out/clicked_fifth.png" "$out/five_steps.png" "${gl_width}x${gl_height}+0+0")
echo "a click on the 5th move against Home and Right x5: difference $click_difference"
above 0.01 "$click_difference" || fail "the click did not show the position after five moves"
xdotool mousemove --window "$gl" 300 300 click 1

# --- the camera's views: 2 (high), 3 (player's), F (the swing round), 1 (default) -------------------
# Each changes the view; flipped twice and back at 1, the view is the default one again.
shot_when_still view_default.png
for step in 2:high 3:player f:player_flipped f:player_again 1:default_again; do
    xdotool key "${step%%:*}"
    shot_when_still "view_${step#*:}.png"
done
for view in high player player_flipped default_again; do
    d=$(difference "$out/view_default.png" "$out/view_$view.png" "${gl_width}x${gl_height}+0+0")
    echo "view $view: difference $d from the default view"
    if [ "$view" = default_again ]; then above 0.01 "$d"; else above "$d" 0.03; fi || fail "view $view"
done

xdotool key End
shot_when_still last_position.png
above "$(white_share "$out/last_position.png" "$result_region")" 0.02 || fail "End shows no result line"

title_before=$(xdotool getwindowname "$main")
xdotool key Next # Page Down
sleep 1
title_after=$(xdotool getwindowname "$main")
echo "Page Down: '$title_before' -> '$title_after'"
[ "$title_before" = "Tavrin - Casual game: Morphy, Paul - Duke Karl of Brunswick and Count Isouard" ] ||
    fail "title '$title_before'"
[ "$title_after" = "Tavrin - Casual game: Anderssen, Adolf - Kieseritzky, Lionel" ] ||
    fail "Page Down did not name the next game"

# --- Save picture: the file equals the view --------------------------------------------------------
rm -f "$out/saved.png"
windows_before=$(visible_windows)
xdotool key ctrl+s
wait_for 100 dialog_open || fail "Ctrl+S opened no dialog"
sleep 0.5
xdotool key ctrl+a
xdotool type --delay 5 "$out/saved.png"
xdotool key Return
wait_for 100 test -s "$out/saved.png" || fail "no picture was saved"
shot_when_still view_when_saved.png
saved_size=$(identify -format '%wx%h' "$out/saved.png")
[ "$saved_size" = "${gl_width}x${gl_height}" ] || fail "picture is $saved_size"
saved_difference=$(difference "$out/saved.png" "$out/view_when_saved.png" "${gl_width}x${gl_height}+0+0")
echo "saved picture ($saved_size) against the view: difference $saved_difference"
above 0.002 "$saved_difference" || fail "the saved picture is not the view"

# --- the games table: Ctrl+G, a player's name typed (it goes to the search), Enter ------------
xdotool mousemove --window "$gl" 300 300 click 1
xdotool key ctrl+g
sleep 0.7
xdotool type --delay 30 "fischer"
sleep 0.7
import -window root "$out/games_table.png"
xdotool key Return
sleep 1
title=$(xdotool getwindowname "$main")
echo "games table, \"fischer\" and Enter: '$title'"
[ "$title" = "Tavrin - Rosenwald Memorial: Byrne, Donald - Fischer, Robert James" ] ||
    fail "Enter in the games table did not choose Fischer's game"

# --- Esc right after Ctrl+G clears "fischer": Down and Enter then choose the next game --------
xdotool mousemove --window "$gl" 300 300 click 1
xdotool key ctrl+g Escape && sleep 0.5
xdotool key Down Return && sleep 1
title=$(xdotool getwindowname "$main")
echo "Ctrl+G, Esc, Down and Enter: '$title'"
[ "$title" = "Tavrin - RSFSR Championship: Polugaevsky, Lev - Nezhmetdinov, Rashid" ] ||
    fail "Esc did not clear the search"
xdotool key ctrl+g && xdotool type --delay 30 "zzzz" && sleep 0.7
import -window "$main" "$out/no_games_match.png"
xdotool key Escape

# --- Ctrl+C then Ctrl+V: the position comes back as a pasted game ------------------------------
xdotool mousemove --window "$gl" 300 300 click 1
xdotool key Home Right Right Right Right Right Right
shot_when_still copied.png
xdotool key --delay 300 ctrl+c ctrl+v && sleep 1
shot_when_still pasted.png
title=$(xdotool getwindowname "$main")
paste_difference=$(difference "$out/copied.png" "$out/pasted.png" "${gl_width}x${gl_height}+0+0")
echo "Ctrl+C, Ctrl+V: '$title', difference $paste_difference from the copied position"
[ "$title" = "Tavrin - Pasted position" ] || fail "the pasted position is not on show"
# Only the last move's tint differs: a pasted position has no last move.
above 0.02 "$paste_difference" || fail "the pasted position is not the copied one"

# --- the notation panel beside the view at 800 px, below it at 480 px, beside it again ----------
for width in 800 480 1024; do
    xdotool windowsize "$main" "$width" 700 && sleep 1.5
    import -window "$main" "$out/panel_$width.png"
    view=$(xdotool getwindowgeometry --shell "$gl" | sed -n 's/^WIDTH=//p')
    echo "at $width px: the view is $view px wide"
    if [ "$width" = 480 ]; then [ "$view" -ge 470 ]; else
        [ $((width - view)) -ge 250 ] && [ $((width - view)) -le $((width / 2)) ]; fi ||
        fail "the panel at $width px"
done

# --- close: exit code 18 ----------------------------------------------------------------------
# Closes the window and waits for the program, which must end with code 18 ($1 says when).
close_with_code_18() {
    "$closer" "$main"
    local code=0
    wait "$app_pid" || code=$?
    app_pid=
    [ "$code" = 18 ] || fail "$1: exit code $code, not 18"
    echo "$1: closed with exit code 18"
}
close_with_code_18 "after the samples"

# --- a large database given at start, as a file manager opens it ---------------------------------
# Its load takes seconds: the view shows the board meanwhile and afterwards, and the window can
# be closed while it loads.
big="$scratch/big.pgn"
"$writer" --write "$big" 40 >/dev/null
find_windows() {
    wait_for 200 xdotool search --onlyvisible --name '^Tavrin( - .*)?$' || fail "no window titled Tavrin"
    main=$(xdotool search --onlyvisible --name '^Tavrin( - .*)?$' | head -n1)
    gl=$(xdotool search --name '^GLWindow$' | head -n1)
}
"$tavrin" "$big" >"$out/tavrin_big.txt" 2>&1 &
app_pid=$!
find_windows
wait_for 600 board_shown big_start.png || fail "the board never showed while the database loads"
listed() { [ "$(xdotool getwindowname "$main")" != "Tavrin" ]; }
wait_for 1200 listed || fail "the database was never listed"
sleep 2
board_shown big_loaded.png || fail "the view is not drawn after the database was loaded"
echo "large database at start: '$(xdotool getwindowname "$main")', board shown after the load"
close_with_code_18 "after the database"

"$tavrin" "$big" >"$out/tavrin_big_closed.txt" 2>&1 &
app_pid=$!
find_windows
close_with_code_18 "during the load of the database"
echo "PASS (screenshots in $out)"
