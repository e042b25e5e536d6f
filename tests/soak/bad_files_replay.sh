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
check() { if "${@:2}"; then echo "ok: $1"; else echo "FAILED: $1"; failures=$((failures + 1)); fi; }
PICTURES="splash.jpg instructions.jpg bg.jpg cursors.png cursorglow.png tightlight.png gear.png
          motor.png link.png tools.png bluebutton.png greenbutton.png redbutton.png switch.png"
SOUNDS="button.wav place.wav motorStart.wav motorStop.wav bg.mp3"
junk() {  # junk BYTES SEED: the same pseudo-random bytes on every run
    python3 -c "import random,sys; random.seed('$2'); sys.stdout.buffer.write(bytes(random.getrandbits(8) for _ in range($1)))"
}

# A session that touches every picture and sound: the start screens, the bar and a tool, the
# power switch, a new piece, and frames with a check after each.
printf '%s\n' "shot start.png" "click 400 300" "click 400 300" "passive 400 590" "frames 50" "passive 370 440" \
    "click 370 440" "passive 600 150" "click 600 150" "passive 572 510" "click 572 510" frame check "frames 30" \
    check "shot play.png" dump > "$root/session.txt"

for kind in missing empty junk truncated; do
    dest="$root/$kind"
    mkdir -p "$dest"
    if [ "$kind" != missing ]; then
        mkdir -p "$dest/img" "$dest/sounds"
        for file in $(printf 'img/%s ' $PICTURES) $(printf 'sounds/%s ' $SOUNDS); do
            bad="$dest/$file"
            file="$source_dir/$file"
            case $kind in
                empty) : > "$bad" ;;
                junk) junk 4096 "$(basename "$file")" > "$bad" ;;
                truncated) head -c $(($(stat -c %s "$file") / 2)) "$file" > "$bad" ;;
            esac
        done
        [ "$kind" = truncated ] && convert -size 4096x4096 gradient:navy-gold "$dest/img/bg.jpg"
    fi
    cd "$dest" || exit 1
    "$replay" "$root/session.txt" > out.txt 2> err.txt
    status=$?
    check "$kind: the session runs to its end (status $status)" test "$status" -eq 0
    check "$kind: the dump shows the play mode" grep -q '^{"mode":"live"' out.txt
    check "$kind: the shot was drawn" test -s play.png
done

out="$root/missing/out.txt"
for name in $PICTURES; do check "missing: reports ./img/$name" grep -qx "Couldn't load texture ./img/$name" "$out"; done
for name in $SOUNDS; do check "missing: reports ./sounds/$name" grep -qx "Failed to load sound file: ./sounds/$name" "$out"; done
check "missing: plays nothing" bash -c "! grep -q '^Playing' '$out'"
check "missing: each failed play is reported" grep -qx "Sound::stopSound(): Refname not found: place" "$out"
for kind in empty junk; do
    check "$kind: every picture reported" test "$(grep -c "^Couldn't load texture" "$root/$kind/out.txt")" -eq 14
    check "$kind: every sound reported" test "$(grep -c '^Failed to load sound file: ' "$root/$kind/out.txt")" -eq 5
done
check "truncated: the huge board picture loads" grep -qx "Loaded texture ./img/bg.jpg" "$root/truncated/out.txt"

echo "$failures failed"
[ "$failures" -eq 0 ]
