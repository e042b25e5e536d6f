#!/bin/bash
# Runs the libFuzzer target for a while and turns every finding into a replay script:
#   run_fuzz.sh BUILD_DIR SECONDS
# New inputs go to BUILD_DIR/fuzz-corpus (the committed seeds in tests/fuzz/corpus are read,
# never written); findings to BUILD_DIR/fuzz-findings, each with its script beside it. Ends with
# the line "fuzz: N runs in S s, K findings", and fails if K is not 0.
set -u
build=$(realpath "$1")
seconds=$2
root=$(cd "$(dirname "$0")/../.." && pwd)
corpus="$build/fuzz-corpus"
findings="$build/fuzz-findings"
log="$build/fuzz.log"
mkdir -p "$corpus"
rm -rf "$findings"
mkdir -p "$findings"
cd "$root" || exit 1  # the game reads img/ and sounds/ from here

start=$(date +%s)
# -close_fd_mask=1: the game's own lines ("Playing place", ...) would be most of the run's time.
# -detect_leaks=0: libFuzzer runs an input a second time under LeakSanitizer whenever its
# allocations and frees differ in number, which storage the game keeps for later frames makes
# the rule; LeakSanitizer still checks the whole run at its end, and the corpus test every input.
"$build/brindlecog-fuzz" "$corpus" "$root/tests/fuzz/corpus" \
    -max_total_time="$seconds" -timeout=30 -rss_limit_mb=4096 -max_len=4096 \
    -close_fd_mask=1 -detect_leaks=0 -print_final_stats=1 -artifact_prefix="$findings/" 2>&1 | tee "$log" |
    grep --line-buffered -E '^#[0-9]+.*(NEW|pulse|REDUCE|DONE)|ERROR|finding|SUMMARY' | \
    grep --line-buffered -v REDUCE
status=${PIPESTATUS[0]}
elapsed=$(( $(date +%s) - start ))

runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
if [ -z "$runs" ]; then  # a finding ends the run before the final statistics
    runs=$(grep -oE '^#[0-9]+' "$log" | tail -n 1 | tr -d '#')
fi
found=0
for input in "$findings"/*; do
    [ -f "$input" ] || continue
    case "$input" in *.txt) continue ;; esac
    found=$((found + 1))
    "$build/brindlecog-fuzz-script" "$input" > "$input.txt" 2> /dev/null
    echo "finding: $input (replay script: $input.txt)"
done
if [ "$status" -ne 0 ] && [ "$found" -eq 0 ]; then
    found=1  # it ended early without an input to show: the log says why
    echo "finding: the fuzzer ended with status $status (see $log)"
fi
echo "fuzz: ${runs:-0} runs in $elapsed s, $found findings"
[ "$found" -eq 0 ]
