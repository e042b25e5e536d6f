#!/bin/bash
# The real game, in a real window, with its pictures and sounds missing, empty, truncated,
# random bytes or far too large: it reports each failure on standard output, draws what failed
# untextured, plays nothing where a sound failed, and goes on until Escape.
set -u
game=$(realpath "$1")
source_dir=$(realpath "$2")
if [ -z "${DISPLAY_FOR_TEST:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1024x768x24" env DISPLAY_FOR_TEST=1 "$0" "$@"
fi
# shellcheck source=../support/bad_assets.sh
. "$(dirname "$(realpath "$0")")/../support/bad_assets.sh"
root=$(mktemp -d)
pid=
trap '[ -n "$pid" ] && kill "$pid" 2>/dev/null; rm -rf "$root"' EXIT
export SDL_AUDIODRIVER=dummy  # a working output, so that bad sound files reach the decoder

failures=0
check() {
    if "${@:2}"; then echo "ok: $1"; else echo "FAILED: $1"; failures=$((failures + 1)); fi
}

# run_case NAME: starts the game in $root/NAME, clicks into the play mode, lets it run, works
# the tool bar, and ends it with Escape. Leaves its output in $root/NAME/out.txt.
run_case() {
    local dir="$root/$1"
    cd "$dir" || return 1
    "$game" > out.txt 2> err.txt &
    pid=$!
    local window
    window=$(timeout 20 xdotool search --sync --name '^Brindlecog$' | head -n 1)
    check "$1: the window appears" test -n "$window"
    [ -n "$window" ] || return 1
    sleep 1
    xdotool mousemove --window "$window" 400 300 click 1; sleep 0.5
    xdotool mousemove --window "$window" 400 300 click 1; sleep 0.5
    xdotool mousemove --window "$window" 400 590; sleep 1.2      # raise the bar
    xdotool mousemove --window "$window" 572 510 click 1; sleep 0.3  # the power switch
    xdotool mousemove --window "$window" 370 440 click 1; sleep 0.3  # Small gear
    xdotool mousemove --window "$window" 600 150 click 1; sleep 1    # put one down
    check "$1: still running in the play mode" kill -0 "$pid"
    import -window "$window" "$dir/shot.png" 2>/dev/null
    xdotool mousemove --window "$window" 400 300 key Escape
    for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
    kill "$pid" 2>/dev/null
    wait "$pid"
    local status=$?
    pid=
    check "$1: Escape ends it with status 0 (got $status)" test "$status" -eq 0
    check "$1: no crash report" bash -c "! grep -qiE 'segmentation|abort|terminate' err.txt"
}

for kind in missing empty junk truncated; do
    lay_out_bad_assets "$kind" "$root/$kind" "$source_dir"
    run_case "$kind"
done
check_bad_asset_runs "$root"
check "missing: the board is drawn untextured (white)" \
    test "$(convert "$root/missing/shot.png" -format '%[fx:int(255*p{700,300}.r)]' info:)" -gt 240

echo "$failures failed"
[ "$failures" -eq 0 ]
