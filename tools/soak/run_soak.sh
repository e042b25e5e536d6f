#!/bin/bash
# Runs the replay tool on seeded random scripts: run_soak.sh REPLAY FIRST_SEED LAST_SEED [EVENTS]
# Every script checks the game's invariants after every frame; any exit status but 0 (a broken
# invariant, a crash, a sanitizer finding) fails the run. A failing script is copied to
# tests/soak/kept/ so that it can be kept as a test case.
set -u
replay=$(realpath "$1")
first=$2
last=$3
events=${4:-300}
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$root" || exit 1

failed=0
for seed in $(seq "$first" "$last"); do
    script="$work/seed-$seed.txt"
    python3 "$here/make_script.py" "$seed" "$events" > "$script"
    "$replay" "$script" > "$work/out.txt" 2> "$work/err.txt"
    status=$?
    if [ "$status" -ne 0 ]; then
        failed=$((failed + 1))
        mkdir -p "$root/tests/soak/kept"
        cp "$script" "$root/tests/soak/kept/seed-$seed.txt"
        echo "seed $seed: exit status $status; script kept as tests/soak/kept/seed-$seed.txt"
        tail -n 20 "$work/err.txt"
    fi
done
echo "soak: seeds $first..$last, $events events each: $failed failed"
[ "$failed" -eq 0 ]
