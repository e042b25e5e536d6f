#!/bin/bash
# Line and branch coverage of src/ on a gcov build (make coverage):
#   coverage.sh BUILD_DIR
# First the unit, scenario and soak tests (BUILD_DIR/coverage/index.html), then the fuzz corpus
# alone (BUILD_DIR/coverage/fuzz/index.html): the committed inputs in tests/fuzz/corpus and,
# if a `make fuzz` left any, the ones it found that add coverage. Each prints one line per folder of src/, and the
# fuzz corpus's last line is its line coverage of src/mechanics, src/modes and src/ui together.
set -euo pipefail
build=$(realpath "$1")
root=$(cd "$(dirname "$0")/.." && pwd)
report="$build/coverage"
rm -rf "$report"
mkdir -p "$report/fuzz"

# Writes the HTML report, the JSON summary and a table of the lines not run (missing.txt) for
# what ran since the counters were cleared, prints the per-folder lines, and leaves the counters
# cleared for the next run.
summarise() {
    local title=$1 html=$2 json=$3
    gcovr --root "$root" --filter "$root/src/" --object-directory "$build" \
        --html-details "$html" --json-summary "$json" --txt "$(dirname "$json")/missing.txt" \
        > /dev/null
    /usr/bin/python3 "$root/tools/coverage_summary.py" "$title" "$json"
    find "$build" -name '*.gcda' -delete
}

find "$build" -name '*.gcda' -delete
(cd "$build" && ctest -j2 -LE 'window|install|long|files' -E '^Fuzz\.' > "$report/tests.log") ||
    { tail -n 30 "$report/tests.log"; exit 1; }
summarise tests "$report/index.html" "$report/summary.json"

corpora=("$root/tests/fuzz/corpus")
# What a `make fuzz` found, cut down first to the inputs that reach code the committed ones do
# not (libFuzzer's merge, by edges alone): an hour's thousand inputs would take an hour to play
# on this unoptimised build.
fuzzer="$root/build-fuzz/brindlecog-fuzz"
if [ -x "$fuzzer" ] && [ -d "$root/build-fuzz/fuzz-corpus" ]; then
    merged="$build/fuzz-corpus-merged"
    rm -rf "$merged"
    cp -r "$root/tests/fuzz/corpus" "$merged"
    # The fuzzer is a sanitizer build: at its exit LeakSanitizer must know the graphics
    # libraries' lifelong allocations, or it reports them and the merge fails.
    (cd "$root" && LSAN_OPTIONS=suppressions=$root/tests/sanitizers/lsan.supp "$fuzzer" \
        -merge=1 -use_counters=0 -close_fd_mask=1 -detect_leaks=0 -rss_limit_mb=4096 \
        -artifact_prefix="$report/" "$merged" "$root/build-fuzz/fuzz-corpus" \
        > "$report/merge.log" 2>&1) || { tail -n 20 "$report/merge.log"; exit 1; }
    corpora=("$merged")
fi
(cd "$root" && "$build/brindlecog-fuzz-corpus" "${corpora[@]}" > /dev/null)
summarise fuzz "$report/fuzz/index.html" "$report/fuzz/summary.json"
