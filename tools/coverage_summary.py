#!/usr/bin/env python3
"""Prints a gcovr JSON summary as one line per folder of src/ (lines and branches covered), and
for the fuzz corpus the line coverage of src/mechanics, src/modes and src/ui together: first of
the lines some input could reach (without NO_INPUT_REACHES), last of all their lines.

    coverage_summary.py TITLE SUMMARY.json
"""
import collections
import json
import sys

FUZZ_FOLDERS = ("mechanics", "modes", "ui")
# Files no sequence of events can run all of: the benchmark's stress board, which only the
# benchmark and the tests lay out, and the board validator, whose reports fire only on a broken
# board (the unit tests give it broken ones).
NO_INPUT_REACHES = ("src/mechanics/stress_board.cpp", "src/mechanics/board_validator.cpp")


def main():
    title, path = sys.argv[1], sys.argv[2]
    with open(path) as summary:
        files = json.load(summary)["files"]
    totals = collections.defaultdict(lambda: [0, 0, 0, 0])
    reachable = [0, 0]
    for entry in files:
        parts = entry["filename"].split("/")
        if len(parts) < 3 or parts[0] != "src":
            continue
        total = totals[parts[1]]
        total[0] += entry["line_covered"]
        total[1] += entry["line_total"]
        total[2] += entry["branch_covered"]
        total[3] += entry["branch_total"]
        if parts[1] in FUZZ_FOLDERS and entry["filename"] not in NO_INPUT_REACHES:
            reachable[0] += entry["line_covered"]
            reachable[1] += entry["line_total"]

    def percent(covered, total):
        return 100.0 * covered / total if total else 100.0

    for folder in sorted(totals):
        lines, line_total, branches, branch_total = totals[folder]
        print("%s-coverage: src/%-10s lines %5.1f %% (%d/%d), branches %5.1f %% (%d/%d)"
              % (title, folder, percent(lines, line_total), lines, line_total,
                 percent(branches, branch_total), branches, branch_total))
    if title == "fuzz":
        covered = sum(totals[f][0] for f in FUZZ_FOLDERS)
        total = sum(totals[f][1] for f in FUZZ_FOLDERS)
        print("fuzz-coverage: mechanics+modes+ui without %s: %.1f %% (%d/%d)"
              % (" and ".join(f.split("/")[-1] for f in NO_INPUT_REACHES),
                 percent(*reachable), reachable[0], reachable[1]))
        print("fuzz-coverage: mechanics+modes+ui %.1f %%" % percent(covered, total))


if __name__ == "__main__":
    main()
