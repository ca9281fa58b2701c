#!/usr/bin/env bash
# The Debian package end to end on this machine: builds it with make-deb.sh; validates the
# desktop entry and the metainfo it ships; runs lintian (no error); installs it into the system
# with apt-get; runs tavrin-pgn (--version, a sample) and the viewer from the installed paths,
# the viewer on a display of its own, in a folder without models, until it draws the board;
# then removes the package and checks that none of its files is left. The package is removed
# however the check ends, also when it was installed before. Needs root or sudo.
# Usage: scripts/check-deb.sh   (pictures and logs stay in build/package/check/)
set -euo pipefail
cd "$(dirname "$0")/.."

fail() {
    echo "check-deb: FAIL: $*" >&2
    exit 1
}
if [ "$(id -u)" -eq 0 ]; then
    as_root=()
elif command -v sudo >/dev/null 2>&1; then
    as_root=(sudo)
else
    fail "installing the package needs root or sudo"
fi
# Waits for another apt or dpkg run to finish instead of failing at once.
apt=("${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get -q -y -o DPkg::Lock::Timeout=300)

bash scripts/make-deb.sh
cd build/package
deb=$(echo tavrin_*.deb)
out=$PWD/check
rm -rf "$out"
mkdir -p "$out"
scratch=$(mktemp -d)
xvfb_pid=
app_pid=
installed=
cleanup() {
    [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
    if [ -n "$installed" ]; then
        "${apt[@]}" purge tavrin >/dev/null || true
    fi
    rm -rf "$scratch"
}
trap cleanup EXIT

# --- the package's fields and the files it ships ---------------------------------------------
field() { dpkg-deb -f "$deb" "$1"; }
version=$(field Version)
echo "check-deb: $deb: $(field Package) $version, section $(field Section)"
echo "  Depends: $(field Depends)"
echo "  Recommends: $(field Recommends)"
[ "$(field Package)" = tavrin ] || fail "the package is not named tavrin"
[ "$(field Section)" = games ] || fail "the section is not games"
field Depends | grep -q 'libqt6widgets6' || fail "no library dependencies from dpkg-shlibdeps"
field Recommends | grep -qw stockfish || fail "stockfish is not recommended"

dpkg-deb -x "$deb" "$scratch/tree"
app_id=io.github.tavrin.Tavrin
desktop-file-validate "$scratch/tree/usr/share/applications/$app_id.desktop" ||
    fail "desktop-file-validate"
appstreamcli validate --no-net "$scratch/tree/usr/share/metainfo/$app_id.metainfo.xml" ||
    fail "appstreamcli validate"
for icon in 48x48/apps/$app_id.png 128x128/apps/$app_id.png 256x256/apps/$app_id.png \
    scalable/apps/$app_id.svg; do
    [ -f "$scratch/tree/usr/share/icons/hicolor/$icon" ] || fail "no icon $icon"
done

# --- lintian: warnings and notes are shown, an error fails ----------------------------------
status=0
lintian --fail-on error --display-info "$deb" >"$out/lintian.txt" 2>&1 || status=$?
grep -v 'running with root privileges' "$out/lintian.txt" || true
[ "$status" -eq 0 ] || fail "lintian reported an error"

# --- installed into the system ---------------------------------------------------------------
installed=yes
"${apt[@]}" install "./$deb" >"$out/apt-install.txt" 2>&1 || {
    cat "$out/apt-install.txt"
    fail "apt-get install ./$deb"
}
[ "$(dpkg-query -W -f='${Version}' tavrin)" = "$version" ] || fail "version $version not installed"
dpkg -L tavrin >"$out/files.txt"
# The programs are found where a user's PATH looks; /usr/games is in it on Debian.
PATH=/usr/local/games:/usr/games:$PATH
tavrin_pgn=$(command -v tavrin-pgn) || fail "tavrin-pgn is not on the PATH"
viewer=$(command -v tavrin) || fail "tavrin is not on the PATH"
grep -qx "$tavrin_pgn" "$out/files.txt" && grep -qx "$viewer" "$out/files.txt" ||
    fail "the programs on the PATH ($tavrin_pgn, $viewer) are not the package's"
[ "$("$tavrin_pgn" --version)" = "tavrin-pgn $version" ] || fail "tavrin-pgn --version"
sample=/usr/share/tavrin/samples/famous_games.pgn
(cd "$scratch" && "$tavrin_pgn" "$sample" >"$out/sample.jsonl" 2>"$out/sample.txt") ||
    fail "tavrin-pgn $sample: $(cat "$out/sample.txt")"
games=$(wc -l <"$out/sample.jsonl")
grep -qx "$sample: $games games read, 0 dropped" "$out/sample.txt" && [ "$games" -gt 0 ] ||
    fail "tavrin-pgn on the installed sample: $(cat "$out/sample.txt")"
echo "check-deb: $tavrin_pgn --version: $version; the installed sample: $games games read"
for page in man6/tavrin.6.gz man1/tavrin-pgn.1.gz; do
    grep -qx "/usr/share/man/$page" "$out/files.txt" || fail "no manual page $page"
done
if [ -f /usr/share/applications/mimeinfo.cache ]; then
    grep -q "$app_id.desktop" /usr/share/applications/mimeinfo.cache ||
        fail "the desktop database does not know $app_id.desktop"
fi

# --- the installed viewer draws the board ------------------------------------------------------
fdfile=$scratch/display
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$fdfile" 2>/dev/null &
xvfb_pid=$!
for _ in $(seq 100); do
    [ -s "$fdfile" ] && break
    sleep 0.1
done
[ -s "$fdfile" ] || fail "Xvfb did not start"
mkdir -p "$scratch/work"
# A working folder without gfx/ and settings of its own: the models must come from the
# installed data folder.
(cd "$scratch/work" && DISPLAY=:$(head -n1 "$fdfile") TAVRIN_NO_ERROR_BOX=1 \
    XDG_CONFIG_HOME="$scratch/config" exec "$viewer" "$sample") >"$out/viewer.txt" 2>&1 &
app_pid=$!
export DISPLAY=:$(head -n1 "$fdfile")
board_shown() {
    local gl
    gl=$(xdotool search --name '^GLWindow$' 2>/dev/null | head -n1) || return 1
    [ -n "$gl" ] || return 1
    import -window "$gl" "$out/installed_viewer.png" 2>/dev/null || return 1
    # The middle of the view is the lit board, not the dark floor or an empty black view.
    local mean
    mean=$(convert "$out/installed_viewer.png" -gravity center -crop 200x100+0+0 +repage \
        -colorspace Gray -format '%[fx:mean]' info:)
    awk -v m="$mean" 'BEGIN { exit !(m > 0.2) }'
}
shown=
for _ in $(seq 600); do
    kill -0 "$app_pid" 2>/dev/null || break
    if board_shown; then
        shown=yes
        break
    fi
    sleep 0.1
done
if [ -z "$shown" ]; then
    cat "$out/viewer.txt"
    fail "the installed viewer did not draw the board (see $out/)"
fi
sleep 2
kill -0 "$app_pid" 2>/dev/null || fail "the installed viewer ended: $(cat "$out/viewer.txt")"
! grep -q 'Error: ' "$out/viewer.txt" || fail "the installed viewer: $(cat "$out/viewer.txt")"
echo "check-deb: $viewer drew the board (picture: $out/installed_viewer.png)"
kill "$app_pid"
wait "$app_pid" 2>/dev/null || true
app_pid=

# --- removed, leaving nothing behind ---------------------------------------------------------
"${apt[@]}" purge tavrin >"$out/apt-purge.txt" 2>&1 || {
    cat "$out/apt-purge.txt"
    fail "apt-get purge tavrin"
}
installed=
! dpkg-query -W -f='${Status}' tavrin 2>/dev/null | grep -q 'installed' ||
    fail "tavrin is still installed"
left=$(while read -r path; do
    if [ -f "$path" ] || [ -L "$path" ]; then
        echo "$path"
    fi
done <"$out/files.txt")
[ -z "$left" ] || fail "files left after removal: $left"
[ ! -e /usr/share/tavrin ] || fail "/usr/share/tavrin is left after removal"
if [ -f /usr/share/applications/mimeinfo.cache ]; then
    ! grep -q "$app_id.desktop" /usr/share/applications/mimeinfo.cache ||
        fail "the desktop database still names $app_id.desktop"
fi
echo "check-deb: PASS ($deb installs, runs, validates and removes cleanly)"
