#!/bin/bash
# Replays every kept soak script (a seed that once failed): run_kept.sh REPLAY
set -u
replay=$(realpath "$1")
root=$(cd "$(dirname "$0")/../.." && pwd)
cd "$root" || exit 1
failed=0
count=0
for script in tests/soak/kept/*.txt; do
    [ -e "$script" ] || continue
    count=$((count + 1))
    if ! "$replay" "$script" > /dev/null 2> /tmp/brindlecog-kept-err.txt; then
        failed=$((failed + 1))
        echo "FAILED: $script"
        tail -n 20 /tmp/brindlecog-kept-err.txt
    fi
done
echo "kept soak cases: $count run, $failed failed"
[ "$failed" -eq 0 ]
