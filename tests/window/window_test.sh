#!/bin/bash
# Starts the game under Xvfb from a folder of plain test pictures, works it with xdotool as a
# user would, and checks screenshots and standard output:
#   splash -> click -> instructions -> click -> play mode; raise the tool bar, pick Small gear,
#   put a gear down, drag it, delete it, clear the board; Escape ends it with status 0.
set -u
game=$(realpath "$1")
source_dir=$(realpath "$2")
if [ -z "${DISPLAY_FOR_TEST:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1024x768x24" env DISPLAY_FOR_TEST=1 "$0" "$@"
fi

work=$(mktemp -d)
trap 'kill "$pid" 2>/dev/null; rm -rf "$work"' EXIT
mkdir -p "$work/img" "$work/sounds"
cd "$work"

# Solid test pictures: one colour each, so a screenshot tells which one shows.
convert -size 1024x1024 xc:'rgb(200,30,30)' img/splash.jpg
convert -size 1024x1024 xc:'rgb(30,30,200)' img/instructions.jpg
convert -size 1024x1024 xc:'rgb(40,160,40)' img/bg.jpg
convert -size 64x64 xc:'rgba(255,0,255,255)' img/gear.png
convert -size 64x64 xc:'rgba(0,255,255,255)' img/motor.png
convert -size 64x64 xc:'rgba(255,255,0,255)' img/link.png
for name in tools bluebutton greenbutton redbutton switch tightlight cursors cursorglow; do
    convert -size 64x64 xc:'rgba(128,128,128,0)' "img/$name.png"
done
# The game's own sounds, played on SDL's silent driver so that "Playing ..." lines appear.
cp "$source_dir"/sounds/* sounds/ 2>/dev/null
export SDL_AUDIODRIVER=dummy

failures=0
check() {  # check DESCRIPTION COMMAND...
    if "${@:2}"; then echo "ok: $1"; else echo "FAILED: $1"; failures=$((failures + 1)); fi
}
shot() { import -window "$window" "$1"; }
# The colour at window pixel (x, y) of a screenshot, as r,g,b.
colour() { convert "$1" -format "%[fx:int(255*p{$2,$3}.r)],%[fx:int(255*p{$2,$3}.g)],%[fx:int(255*p{$2,$3}.b)]" info:; }
near() {  # near r,g,b r,g,b: every channel within 40
    local IFS=,; local a=($1) b=($2)
    for i in 0 1 2; do d=$((a[i] - b[i])); [ ${d#-} -le 40 ] || return 1; done
}
click_at() { xdotool mousemove --window "$window" "$1" "$2"; sleep 0.2; xdotool click 1; sleep 0.4; }
move_to() { xdotool mousemove --window "$window" "$1" "$2"; sleep "${3:-0.3}"; }

"$game" > out.txt 2> err.txt &
pid=$!
window=$(timeout 20 xdotool search --sync --name '^Brindlecog$' | head -n 1)
check "the window appears" test -n "$window"
[ -n "$window" ] || exit 1
sleep 1
geometry=$(xdotool getwindowgeometry "$window" | sed -n 's/.*Geometry: //p')
check "the window is 800 by 600 (got $geometry)" test "$geometry" = "800x600"

shot splash.png
check "the splash picture shows" near "$(colour splash.png 400 300)" 200,30,30
click_at 400 300
shot instructions.png
check "a click shows the instructions" near "$(colour instructions.png 400 300)" 30,30,200
click_at 400 300
shot board.png
check "a second click enters the play mode" near "$(colour board.png 600 200)" 40,160,40

# Window pixel = board point (x + 400, 300 - y). The raised bar's Small gear button stands at
# board (-30, -140), Delete at (-163, -247), Clear all at (-103, -247).
move_to 400 590 1.2
click_at 370 440
click_at 600 200
shot placed.png
check "Small gear puts a gear down at the pointer" near "$(colour placed.png 600 200)" 255,0,255

# Right click: back to Move. Then drag the gear with the left button.
xdotool mousemove --window "$window" 600 200 click 3; sleep 0.3
move_to 600 200
xdotool mousedown 1; sleep 0.2
for x in 610 620 630 640 650 660; do move_to "$x" 180 0.1; done
sleep 0.5
xdotool mouseup 1; sleep 0.4
shot dragged.png
check "the gear follows a drag" near "$(colour dragged.png 660 180)" 255,0,255
check "and has left its old place" near "$(colour dragged.png 575 225)" 40,160,40

move_to 400 590 1.2
click_at 237 547
click_at 660 180
shot deleted.png
check "Delete removes the gear" near "$(colour deleted.png 660 180)" 40,160,40

move_to 400 590 1.2
click_at 297 547
move_to 600 100 0.5
shot cleared.png
check "Clear all empties the board (the motor's place is bare)" near "$(colour cleared.png 145 250)" 40,160,40

# The other tools. The raised bar covers window x 144..656 from y 352 down, so the board is
# clicked outside that. Buttons: New chain (460, 547), Longer (370, 547), Shorter (415, 547),
# Reset (505, 547), Medium (415, 440), Large (460, 440), Motor (502, 440), power (572, 510).
pick() { move_to 400 590 1.2; click_at "$1" "$2"; }
pick 460 547
click_at 20 330   # a new chain with its corner at board (-380, -30), 220 units square
shot chain.png
check "New chain lays a chain out from the pointer" near "$(colour chain.png 20 250)" 255,255,0
check "  as a square 220 units wide" near "$(colour chain.png 240 250)" 255,255,0
pick 370 547; click_at 20 319    # its first link, at board (-380, -19)
pick 415 547; click_at 20 319
pick 505 547; click_at 20 319
sleep 0.5
shot reset.png
check "after Longer, Shorter and Reset the chain is square again" near "$(colour reset.png 130 110)" 255,255,0
pick 415 440; click_at 700 150
pick 460 440; click_at 700 300
pick 502 440; click_at 740 60
sleep 0.3
shot pieces.png
check "Medium gear puts a gear down" near "$(colour pieces.png 700 150)" 255,0,255
check "Large gear puts a gear down" near "$(colour pieces.png 700 300)" 255,0,255
check "Motor puts a motor down" near "$(colour pieces.png 740 60)" 0,255,255
move_to 400 590 1.2
click_at 572 510
click_at 572 510

# Keys go where the pointer is: there is no window manager to give focus.
ends_with() {  # ends_with KEYS: the game exits with status 0 on them
    move_to 400 300 0.1
    xdotool key "$1"
    for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
    kill "$pid" 2>/dev/null
    wait "$pid"
}
ends_with Escape; status=$?
check "Escape ends the game with status 0 (got $status)" test "$status" -eq 0
# Stopping it from a terminal works too (the audio library must not swallow the signal).
"$game" > /dev/null 2>&1 &
pid=$!
timeout 20 xdotool search --sync --name '^Brindlecog$' > /dev/null
kill -TERM "$pid"
for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
check "SIGTERM stops the game" bash -c "! kill -0 $pid 2>/dev/null"
kill -KILL "$pid" 2>/dev/null
wait "$pid" 2>/dev/null
for keys in ctrl+q alt+F4; do
    "$game" > /dev/null 2>&1 &
    pid=$!
    window=$(timeout 20 xdotool search --sync --name '^Brindlecog$' | head -n 1)
    sleep 0.5
    ends_with "$keys"; status=$?
    check "$keys ends the game with status 0 (got $status)" test "$status" -eq 0
done

check "the splash picture was loaded" grep -qx "Loaded texture ./img/splash.jpg" out.txt
check "the play mode's pictures were loaded" grep -qx "Loaded texture ./img/bg.jpg" out.txt
check "the sounds were loaded" grep -qx "Loaded Sound bg" out.txt
check "the music plays in the play mode" grep -qx "Playing bg" out.txt
places=$(grep -cx "Playing place" out.txt)
check "a place sound for each of the nine actions on the board (got $places)" test "$places" -eq 9
check "the power switch turned the motors off" grep -qx "Playing motorStop" out.txt
check "and on again" grep -qx "Playing motorStart" out.txt
check "the tool buttons clicked" grep -qx "Playing button" out.txt
if [ "$failures" -ne 0 ]; then
    echo "--- game output"; cat out.txt; echo "--- errors"; head -20 err.txt
    cp ./*.png "${TMPDIR:-/tmp}/" 2>/dev/null
fi
echo "$failures failed"
[ "$failures" -eq 0 ]
