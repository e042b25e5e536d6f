# Sourced by the bad-file tests: lays out the game's pictures and sounds broken in one way.

BAD_PICTURES="splash.jpg instructions.jpg bg.jpg cursors.png cursorglow.png tightlight.png
              gear.png motor.png link.png tools.png bluebutton.png greenbutton.png
              redbutton.png switch.png"
BAD_SOUNDS="button.wav place.wav motorStart.wav motorStop.wav bg.mp3"

# junk BYTES SEED: the same pseudo-random bytes on every run.
junk() {
    python3 -c "import random,sys; random.seed('$2'); sys.stdout.buffer.write(bytes(random.getrandbits(8) for _ in range($1)))"
}

# lay_out_bad_assets KIND DEST SOURCE_DIR, KIND one of:
#   missing    no img/ and no sounds/ at all
#   empty      every file there, with no bytes
#   junk       every file there, random bytes
#   truncated  the first half of each real file, and a board picture of 4096 by 4096
lay_out_bad_assets() {
    local kind=$1 dest=$2 source=$3 name
    mkdir -p "$dest"
    [ "$kind" = missing ] && return 0
    mkdir -p "$dest/img" "$dest/sounds"
    for name in $BAD_PICTURES; do
        case $kind in
            empty) : > "$dest/img/$name" ;;
            junk) junk 4096 "$name" > "$dest/img/$name" ;;
            truncated) head -c $(($(stat -c %s "$source/img/$name") / 2)) "$source/img/$name" > "$dest/img/$name" ;;
        esac
    done
    for name in $BAD_SOUNDS; do
        case $kind in
            empty) : > "$dest/sounds/$name" ;;
            junk) junk 4096 "$name" > "$dest/sounds/$name" ;;
            truncated) head -c $(($(stat -c %s "$source/sounds/$name") / 2)) "$source/sounds/$name" > "$dest/sounds/$name" ;;
        esac
    done
    if [ "$kind" = truncated ]; then
        convert -size 4096x4096 gradient:navy-gold "$dest/img/bg.jpg"
    fi
}

# check_bad_asset_runs ROOT: the checks common to every bad-file test, after one run per kind
# that left its standard output in ROOT/KIND/out.txt. Uses the caller's `check`.
check_bad_asset_runs() {
    local root=$1 name kind
    for name in $BAD_PICTURES; do
        check "missing: reports ./img/$name" grep -qx "Couldn't load texture ./img/$name" "$root/missing/out.txt"
    done
    for name in $BAD_SOUNDS; do
        check "missing: reports ./sounds/$name" grep -qx "Failed to load sound file: ./sounds/$name" "$root/missing/out.txt"
    done
    check "missing: plays nothing" bash -c "! grep -q '^Playing' '$root/missing/out.txt'"
    for kind in empty junk; do
        check "$kind: every picture reported" test "$(grep -c "^Couldn't load texture" "$root/$kind/out.txt")" -eq 14
        check "$kind: every sound reported" test "$(grep -c '^Failed to load sound file: ' "$root/$kind/out.txt")" -eq 5
    done
    check "truncated: the huge board picture loads" grep -qx "Loaded texture ./img/bg.jpg" "$root/truncated/out.txt"
}
