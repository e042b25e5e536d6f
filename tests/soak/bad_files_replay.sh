#!/bin/bash
# The headless game with its pictures and sounds missing, empty, random bytes, truncated or
# far too large: every failure is reported, the play goes on, and the invariants hold.
#   bad_files_replay.sh REPLAY SOURCE_DIR
set -u
replay=$(realpath "$1")
source_dir=$(realpath "$2")
# shellcheck source=../support/bad_assets.sh
. "$(dirname "$(realpath "$0")")/../support/bad_assets.sh"
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
failures=0
check() {
    if "${@:2}"; then echo "ok: $1"; else echo "FAILED: $1"; failures=$((failures + 1)); fi
}

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

for kind in missing empty junk truncated; do
    lay_out_bad_assets "$kind" "$root/$kind" "$source_dir"
    run_case "$kind"
done
out() { echo "$root/$1/out.txt"; }
check "missing: every picture reported" test "$(grep -c "^Couldn't load texture ./img/" "$(out missing)")" -eq 14
check "missing: every sound reported" test "$(grep -c '^Failed to load sound file: ./sounds/' "$(out missing)")" -eq 5
check "missing: nothing plays" bash -c "! grep -q '^Playing' '$(out missing)'"
check "missing: each failed play is reported" grep -qx "Sound::stopSound(): Refname not found: place" "$(out missing)"
for kind in empty junk; do
    check "$kind: every picture reported" test "$(grep -c "^Couldn't load texture" "$(out $kind)")" -eq 14
    check "$kind: every sound reported" test "$(grep -c '^Failed to load sound file: ' "$(out $kind)")" -eq 5
done
check "truncated: the huge board picture loads" grep -qx "Loaded texture ./img/bg.jpg" "$(out truncated)"

echo "$failures failed"
[ "$failures" -eq 0 ]
