#!/bin/bash
# test.sh ZIP LINUX_GAME: the Windows build from its zip under Wine (Xvfb, SDL's dummy audio
# driver), worked with xdotool as a user would: splash -> click -> instructions -> click ->
# play mode, raise the tool bar, pick Small gear, put a gear down; its output lines are checked,
# and its screenshot is compared with the Linux build's after the same steps in the same
# folder. Escape ends it with status 0. Then the Windows replay tool (beside the zip) runs the
# model scripts of tests/scenarios under Wine, whose dumps must agree with the model's.
set -u
zip=$(realpath "$1")
source_dir=$(cd "$(dirname "$0")/../.." && pwd)
linux_game=$(realpath "$2")
[ -n "${DISPLAY_FOR_TEST:-}" ] || exec xvfb-run -a -s "-screen 0 1024x768x24" env DISPLAY_FOR_TEST=1 "$0" "$@"

work=$(mktemp -d)
pid=
trap 'kill "$pid" 2>/dev/null; wineserver -k 2>/dev/null; rm -rf "$work"' EXIT
unzip -q "$zip" -d "$work"
cd "$work"/brindlecog-windows-x86_64
export WINEPREFIX=$work/wine WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" SDL_AUDIODRIVER=dummy
wineboot -i > /dev/null 2>&1

failures=0
check() {  # check DESCRIPTION COMMAND...
    if "${@:2}"; then echo "ok: $1"; else echo "FAILED: $1"; failures=$((failures + 1)); return 1; fi
}
move_to() { xdotool mousemove --window "$window" "$1" "$2"; sleep "$3"; }
click_at() { move_to "$1" "$2" 0.3; xdotool click 1; sleep 1; }
play() {  # play NAME COMMAND...: start the game, click through to a placed gear, screenshot
    "${@:2}" > "$1.out" 2> "$1.err" &
    pid=$!
    window=$(timeout 60 xdotool search --sync --onlyvisible --name '^Brindlecog$' | head -n 1)
    check "$1: the window appears" test -n "$window" || return 1
    sleep 3  # the first frame under Wine can take a while
    # Window pixel = board point (x + 400, 300 - y); the raised bar's Small gear button stands
    # at board (-30, -140).
    click_at 400 300; click_at 400 300; sleep 1
    move_to 400 590 2; click_at 370 440; click_at 600 200; move_to 700 100 2
    import -window "$window" "$1.png"
    xdotool key Escape
    for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
    wait "$pid"
    local status=$?
    check "$1: Escape ends the game with status 0 (got $status)" test "$status" -eq 0
}
play linux "$linux_game"
play windows wine ./brindlecog.exe

tr -d '\r' < windows.out > windows.txt  # the console's line ends
loaded=$(grep -cE '^Loaded (texture ./img/|Sound )' windows.txt)
check "the 14 pictures and 5 sounds loaded (got $loaded)" test "$loaded" -eq 19
check "the gear's place sound played" grep -qx "Playing place" windows.txt
check "its lines are the Linux build's" diff windows.txt linux.out

# The chain moves and the gears turn, so the pictures are compared shrunk to a tenth: the
# whole window, and the new gear's square (a missing gear differs by about 0.19 there).
size=$(identify -format '%wx%h' windows.png 2>/dev/null)
check "the Windows window is 800 by 600 (got $size)" test "$size" = 800x600
close_to_linux() {  # close_to_linux AREA LIMIT: the RMSE of that area of both pictures, shrunk
    for name in windows linux; do convert "$name.png" -crop "$1" +repage -resize 10% "$name-$1.png"; done
    local difference=$(compare -metric RMSE "windows-$1.png" "linux-$1.png" null: 2>&1 | sed 's/.*(\(.*\))/\1/')
    echo "  RMSE of $1: $difference"
    awk -v d="$difference" -v limit="$2" 'BEGIN { exit !(d != "" && d < limit) }'
}
check "the picture is close to the Linux build's" close_to_linux 800x600+0+0 0.05
check "the new gear shows as on Linux" close_to_linux 80x80+560+160 0.08

# The model comparison runs the tool from the repository root, on standard input.
cp "$(dirname "$zip")/brindlecog-replay.exe" .
printf '#!/bin/sh\nexec wine "%s/brindlecog-replay.exe" "$@"\n' "$PWD" > replay-under-wine
chmod +x replay-under-wine
check "the model scripts' dumps under Wine agree with the model" \
    python3 "$source_dir/tests/scenarios/test_replay.py" "$PWD/replay-under-wine" Model

[ "$failures" -eq 0 ] || { echo "--- Windows output"; cat windows.txt; echo "--- errors"; head -20 windows.err; }
cp windows.png linux.png "${SCREENSHOT_DIR:-$work}/" 2>/dev/null
echo "$failures failed"
[ "$failures" -eq 0 ]
