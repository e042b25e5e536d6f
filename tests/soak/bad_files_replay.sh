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
check_bad_asset_runs "$root"
check "missing: each failed play is reported" \
    grep -qx "Sound::stopSound(): Refname not found: place" "$root/missing/out.txt"

echo "$failures failed"
[ "$failures" -eq 0 ]
