#!/bin/bash
# Rebuilds the fuzzer's seed corpus in tests/fuzz/corpus from the scenario scripts (the golden
# ones drawn), the hand-written scripts in tests/fuzz/seeds (edits the fuzzer seldom reaches on
# its own) and the first soak seeds, each a few hundred bytes to a few kilobytes:
#   tools/fuzz/make_corpus.sh [SOAK_SEEDS] [EVENTS]
# Inputs the fuzzer found are kept beside them as found-*: this script leaves those alone.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
seeds=${1:-16}
events=${2:-60}
corpus="$root/tests/fuzz/corpus"
mkdir -p "$corpus"
rm -f "$corpus"/scenario-* "$corpus"/seed-* "$corpus"/soak-*
encode="/usr/bin/python3 $root/tools/fuzz/encode_script.py"
for script in "$root"/tests/scenarios/model/*.txt; do
    $encode "$script" > "$corpus/scenario-$(basename "$script" .txt)"
done
for script in "$root"/tests/scenarios/golden/*.txt; do
    $encode --draw "$script" > "$corpus/scenario-$(basename "$script" .txt)"
done
for script in "$root"/tests/fuzz/seeds/*.txt; do
    $encode "$script" > "$corpus/seed-$(basename "$script" .txt)"
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for seed in $(seq 1 "$seeds"); do
    /usr/bin/python3 "$root/tools/soak/make_script.py" "$seed" "$events" > "$work/seed.txt"
    $encode "$work/seed.txt" > "$corpus/soak-$seed"
done
du -sh "$corpus"
