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
not_near() { ! near "$@"; }
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
check "the window's class is brindlecog" bash -c "xprop -id $window WM_CLASS | grep -q '\"brindlecog\", \"brindlecog\"'"
# Width, height, then the first pixel as ARGB: the (magenta) gear picture.
check "the window's icon is the gear picture" test "$(xprop -id "$window" -notype -f _NET_WM_ICON 32c \
    ' $0 $1 $2' _NET_WM_ICON)" = "_NET_WM_ICON 64 64 $((0xffff00ff))"

shot splash.png
check "the splash picture shows" near "$(colour splash.png 400 300)" 200,30,30
click_at 400 300
shot instructions.png
check "a click shows the instructions" near "$(colour instructions.png 400 300)" 30,30,200
click_at 400 300
shot board.png
check "a second click enters the play mode" near "$(colour board.png 600 200)" 40,160,40

# A plain left drag is held back by the other gears; with Shift (pressed during the drag: then
# freeglut reports it only through key events) the gear goes straight over them. The starting
# gears stand at window (345, 85), (145, 85), (345, 250) and the motor at (145, 250).
drag_towards() {  # drag_towards FROM_X FROM_Y TO_X TO_Y [KEY]: shoots hold.png before letting go
    move_to "$1" "$2"; xdotool mousedown 1; sleep 0.2
    [ -n "${5:-}" ] && xdotool keydown "$5"
    for step in 1 2 3 4 5 6 7 8; do move_to $(($1 + ($3 - $1) * step / 8)) $(($2 + ($4 - $2) * step / 8)) 0.05; done
    sleep 0.5; shot hold.png; [ -n "${5:-}" ] && xdotool keyup "$5"; xdotool mouseup 1; sleep 0.3
}
drag_towards 345 250 160 250
check "a left drag moves a gear" near "$(colour hold.png 260 250)" 255,0,255
check "  but not onto the motor" not_near "$(colour hold.png 160 250)" 255,0,255
drag_towards 262 250 160 250 shift  # from where it was held back
check "  but with Shift it goes over the motor" near "$(colour hold.png 160 250)" 255,0,255
# freeglut reports the wheel's notches as buttons 4 and 5 (3 and 4 to the game): no grab.
move_to 145 85; xdotool click 4 click 5; sleep 0.2
for x in 300 450 600; do move_to "$x" 400 0.1; done
sleep 0.3; shot wheel.png
check "the wheel does not pick up a gear" near "$(colour wheel.png 600 400)" 40,160,40

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

# The window never asks to be larger than the screen (1024x768 here): 800x800 snaps to 1024x768.
xdotool windowsize "$window" 800 800; sleep 0.5
geometry=$(xdotool getwindowgeometry "$window" | sed -n 's/.*Geometry: //p')
check "a window taller than the screen snaps to the screen (got $geometry)" test "$geometry" = "1024x768"

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

# Maximised by a window manager, the window keeps the screen's shape: the board is drawn in the
# largest 4:3 box, centred between black bars, and the pointer is mapped through the same box.
cat > openbox.xml << 'XML'
<openbox_config xmlns="http://openbox.org/3.4/rc"><applications>
<application class="*"><maximized>yes</maximized></application></applications></openbox_config>
XML
letterboxed() {  # letterboxed WxH: the game maximised by openbox on a WxH screen
    Xvfb -displayfd 6 -screen 0 "${1}x24" 6> display 2> /dev/null &
    local server=$!
    for _ in $(seq 50); do [ -s display ] && break; sleep 0.1; done
    local -x DISPLAY=":$(cat display)"
    openbox --config-file "$work/openbox.xml" > /dev/null 2>&1 &
    local manager=$!
    for _ in $(seq 50); do xprop -root _NET_SUPPORTING_WM_CHECK | grep -q window && break; sleep 0.1; done
    "$game" > /dev/null 2>&1 &
    pid=$!
    window=$(timeout 20 xdotool search --sync --name '^Brindlecog$' | head -n 1)
    local w=800 h bw bh left top
    for _ in $(seq 100); do  # until the window manager has maximised it to the screen's width
        sleep 0.1
        read -r w h < <(xdotool getwindowgeometry "$window" | sed -n 's/.*Geometry: \(.*\)x\(.*\)/\1 \2/p')
        [ "$w" = "${1%x*}" ] && break
    done
    sleep 1
    bh=$h; bw=$((h * 4 / 3))
    [ "$bw" -gt "$w" ] && bh=$((w * 3 / 4)) && bw=$((bh * 4 / 3))
    left=$(((w - bw) / 2)); top=$(((h - bh) / 2))
    at() { echo $((left + ($1 + 400) * bw / 800)) $((top + (300 - $2) * bw / 800)); }
    click_at $(at 0 0); click_at $(at 0 0)
    # Right-drag the gear at board (-55, 50) to (200, -50).
    move_to $(at -55 50); xdotool mousedown 3
    for point in "0 20" "100 -20" "200 -50"; do move_to $(at $point) 0.1; done
    sleep 0.5; xdotool mouseup 3; sleep 0.5
    shot letterbox.png
    check "$1: maximised to ${w}x${h}, a gear dragged in the box lies under the pointer" \
        near "$(colour letterbox.png $(at 200 -50))" 255,0,255
    check "$1: black bars beside the board" near "$(colour letterbox.png $((left / 2)) $((top / 2)))" 0,0,0
    kill "$pid" "$manager" "$server"; wait "$pid" "$manager" "$server" 2> /dev/null
}
for size in 1920x1080 1280x1024 1000x600; do letterboxed "$size"; done

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
