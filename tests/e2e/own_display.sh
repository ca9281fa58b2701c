# Sourced by the end-to-end scripts: `fail`, a display of the script's own (Xvfb) in DISPLAY,
# settings of its own under XDG_CONFIG_HOME (as on a new machine), a scratch folder, and a trap
# that ends the viewer (`app_pid`, when set) and the display however the script ends.
# -noreset: between two runs of the viewer the server would reset and could refuse the next one.

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

fdfile=$(mktemp)
scratch=$(mktemp -d)
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$fdfile" 2>/dev/null &
xvfb_pid=$!
app_pid=
cleanup() {
    [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null || true
    kill "$xvfb_pid" 2>/dev/null || true
    rm -rf "$fdfile" "$scratch"
}
trap cleanup EXIT
for _ in $(seq 100); do
    [ -s "$fdfile" ] && break
    sleep 0.1
done
[ -s "$fdfile" ] || fail "Xvfb did not start"
export DISPLAY=:$(head -n1 "$fdfile")
export TAVRIN_NO_ERROR_BOX=1
export XDG_CONFIG_HOME="$scratch/config"
