#!/bin/bash
# Line and branch coverage of src/ on a gcov build (make coverage):
#   coverage.sh BUILD_DIR
# First the unit, scenario and soak tests (BUILD_DIR/coverage/index.html), then the fuzz corpus
# alone (BUILD_DIR/coverage/fuzz/index.html): the committed inputs in tests/fuzz/corpus and,
# if a `make fuzz` left any, the ones it found. Each prints one line per folder of src/, and the
# fuzz corpus's last line is its line coverage of src/mechanics, src/modes and src/ui together.
set -euo pipefail
build=$(realpath "$1")
root=$(cd "$(dirname "$0")/.." && pwd)
report="$build/coverage"
rm -rf "$report"
mkdir -p "$report/fuzz"

# Writes the HTML report and the JSON summary of what ran since the counters were cleared,
# prints the per-folder lines, and leaves the counters cleared for the next run.
summarise() {
    local title=$1 html=$2 json=$3
    gcovr --root "$root" --filter "$root/src/" --object-directory "$build" \
        --html-details "$html" --json-summary "$json" --print-summary > /dev/null
    /usr/bin/python3 "$root/tools/coverage_summary.py" "$title" "$json"
    find "$build" -name '*.gcda' -delete
}

find "$build" -name '*.gcda' -delete
(cd "$build" && ctest -j2 -LE 'window|install|long|files' -E '^Fuzz\.' > "$report/tests.log") ||
    { tail -n 30 "$report/tests.log"; exit 1; }
summarise tests "$report/index.html" "$report/summary.json"

corpora=("$root/tests/fuzz/corpus")
for found in "$root"/build-fuzz/fuzz-corpus; do
    [ -d "$found" ] && corpora+=("$found")
done
(cd "$root" && "$build/brindlecog-fuzz-corpus" "${corpora[@]}" > /dev/null)
summarise fuzz "$report/fuzz/index.html" "$report/fuzz/summary.json"
