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
root=$(mktemp -d)
pid=
trap '[ -n "$pid" ] && kill "$pid" 2>/dev/null; rm -rf "$root"' EXIT
export SDL_AUDIODRIVER=dummy  # a working output, so that bad sound files reach the decoder

failures=0
check() {
    if "${@:2}"; then echo "ok: $1"; else echo "FAILED: $1"; failures=$((failures + 1)); fi
}

# Deterministic "random" bytes: the same junk on every run.
junk() { python3 -c "import random,sys; random.seed('$2'); sys.stdout.buffer.write(bytes(random.getrandbits(8) for _ in range($1)))"; }

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

pictures="splash.jpg instructions.jpg bg.jpg cursors.png cursorglow.png tightlight.png gear.png
          motor.png link.png tools.png bluebutton.png greenbutton.png redbutton.png switch.png"
sounds="button.wav place.wav motorStart.wav motorStop.wav bg.mp3"

# Nothing at all.
mkdir -p "$root/missing"
run_case missing
for picture in $pictures; do
    check "missing: reports ./img/$picture" grep -qx "Couldn't load texture ./img/$picture" "$root/missing/out.txt"
done
for sound in $sounds; do
    check "missing: reports ./sounds/$sound" grep -qx "Failed to load sound file: ./sounds/$sound" "$root/missing/out.txt"
done
check "missing: plays nothing" bash -c "! grep -q '^Playing' '$root/missing/out.txt'"
check "missing: the board is drawn untextured (white)" \
    test "$(convert "$root/missing/shot.png" -format '%[fx:int(255*p{700,300}.r)]' info:)" -gt 240

# Empty files and random bytes under the right names: every one fails to load.
for kind in empty junk; do
    mkdir -p "$root/$kind/img" "$root/$kind/sounds"
    for name in $pictures; do
        if [ "$kind" = empty ]; then : > "$root/$kind/img/$name"; else junk 4096 "$name" > "$root/$kind/img/$name"; fi
    done
    for name in $sounds; do
        if [ "$kind" = empty ]; then : > "$root/$kind/sounds/$name"; else junk 4096 "$name" > "$root/$kind/sounds/$name"; fi
    done
    run_case "$kind"
    check "$kind: every picture reported" test "$(grep -c "^Couldn't load texture" "$root/$kind/out.txt")" -eq 14
    check "$kind: every sound reported" test "$(grep -c '^Failed to load sound file: ' "$root/$kind/out.txt")" -eq 5
done

# Truncated copies of the real files, and one picture far larger than the others.
mkdir -p "$root/truncated/img" "$root/truncated/sounds"
for name in $pictures; do
    head -c $(($(stat -c %s "$source_dir/img/$name") / 2)) "$source_dir/img/$name" > "$root/truncated/img/$name"
done
for name in $sounds; do
    head -c $(($(stat -c %s "$source_dir/sounds/$name") / 2)) "$source_dir/sounds/$name" > "$root/truncated/sounds/$name"
done
convert -size 4096x4096 plasma:fractal -seed 3 "$root/truncated/img/bg.jpg" 2>/dev/null ||
    convert -size 4096x4096 gradient:navy-gold "$root/truncated/img/bg.jpg"
run_case truncated
check "truncated: the huge board picture loads" grep -qx "Loaded texture ./img/bg.jpg" "$root/truncated/out.txt"

echo "$failures failed"
[ "$failures" -eq 0 ]
