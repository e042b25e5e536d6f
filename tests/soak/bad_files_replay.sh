#!/bin/bash
# The headless game with its pictures and sounds missing, empty, random bytes, truncated or
# far too large: every failure is reported, the play goes on, and the invariants hold.
#   bad_files_replay.sh REPLAY SOURCE_DIR
set -u
replay=$(realpath "$1")
source_dir=$(realpath "$2")
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
failures=0
check() {
    if "${@:2}"; then echo "ok: $1"; else echo "FAILED: $1"; failures=$((failures + 1)); fi
}
junk() { python3 -c "import random,sys; random.seed('$2'); sys.stdout.buffer.write(bytes(random.getrandbits(8) for _ in range($1)))"; }

pictures="splash.jpg instructions.jpg bg.jpg cursors.png cursorglow.png tightlight.png gear.png
          motor.png link.png tools.png bluebutton.png greenbutton.png redbutton.png switch.png"
sounds="button.wav place.wav motorStart.wav motorStop.wav bg.mp3"

# A session that touches every picture and sound: the start screens, the bar and a tool, the
# power switch, a new piece, and frames with a check after each.
cat > "$root/session.txt" <<'SCRIPT'
shot start.png
click 400 300
click 400 300
passive 400 590
frames 50
passive 370 440
click 370 440
passive 600 150
click 600 150
passive 572 510
click 572 510
frame
check
frames 30
check
shot play.png
dump
SCRIPT

run_case() {  # run_case NAME: the session in $root/NAME
    cd "$root/$1" || return 1
    "$replay" "$root/session.txt" > out.txt 2> err.txt
    local status=$?
    check "$1: the session runs to its end (status $status)" test "$status" -eq 0
    check "$1: the dump shows the play mode" grep -q '^{"mode":"live"' out.txt
    check "$1: the shot was drawn" test -s play.png
}

mkdir -p "$root/missing"
run_case missing
check "missing: every picture reported" test "$(grep -c "^Couldn't load texture ./img/" "$root/missing/out.txt")" -eq 14
check "missing: every sound reported" test "$(grep -c '^Failed to load sound file: ./sounds/' "$root/missing/out.txt")" -eq 5
check "missing: nothing plays" bash -c "! grep -q '^Playing' '$root/missing/out.txt'"
check "missing: each failed play is reported" grep -qx "Sound::stopSound(): Refname not found: place" "$root/missing/out.txt"

for kind in empty junk; do
    mkdir -p "$root/$kind/img" "$root/$kind/sounds"
    for name in $pictures; do
        if [ "$kind" = empty ]; then : > "$root/$kind/img/$name"; else junk 3000 "$name" > "$root/$kind/img/$name"; fi
    done
    for name in $sounds; do
        if [ "$kind" = empty ]; then : > "$root/$kind/sounds/$name"; else junk 3000 "$name" > "$root/$kind/sounds/$name"; fi
    done
    run_case "$kind"
    check "$kind: every picture reported" test "$(grep -c "^Couldn't load texture" "$root/$kind/out.txt")" -eq 14
    check "$kind: every sound reported" test "$(grep -c '^Failed to load sound file: ' "$root/$kind/out.txt")" -eq 5
done

mkdir -p "$root/truncated/img" "$root/truncated/sounds"
for name in $pictures; do
    head -c $(($(stat -c %s "$source_dir/img/$name") / 2)) "$source_dir/img/$name" > "$root/truncated/img/$name"
done
for name in $sounds; do
    head -c $(($(stat -c %s "$source_dir/sounds/$name") / 3)) "$source_dir/sounds/$name" > "$root/truncated/sounds/$name"
done
convert -size 4096x4096 gradient:navy-gold "$root/truncated/img/bg.jpg"
run_case truncated
check "truncated: the huge board picture loads" grep -qx "Loaded texture ./img/bg.jpg" "$root/truncated/out.txt"

echo "$failures failed"
[ "$failures" -eq 0 ]
