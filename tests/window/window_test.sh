#!/bin/bash
# Starts the game under Xvfb from a folder of plain test pictures, works it with xdotool as a
# user would, and checks screenshots and standard output: the start screens, drags with and
# without Shift, the wheel, a tool of the raised bar, the window's size, class and icon, the
# ways to end it (the exit keys, SIGTERM, closing the window), and the board letterboxed in a
# window maximised by openbox.
set -u
game=$(realpath "$1")
source_dir=$(realpath "$2")
[ -n "${DISPLAY_FOR_TEST:-}" ] || exec xvfb-run -a -s "-screen 0 1024x768x24" env DISPLAY_FOR_TEST=1 "$0" "$@"

work=$(mktemp -d)
pid= server= manager=
# The letterbox screens' servers go too: one left running would hold the test's output open.
trap 'kill -KILL $pid $manager $server 2>/dev/null; rm -rf "$work"' EXIT
mkdir -p "$work/img" "$work/sounds"
cd "$work"

# Solid test pictures: one colour each, so a screenshot tells which one shows.
convert -size 1024x1024 xc:'rgb(200,30,30)' img/splash.jpg
convert -size 1024x1024 xc:'rgb(30,30,200)' img/instructions.jpg
convert -size 1024x1024 xc:'rgb(40,160,40)' img/bg.jpg
convert -size 64x64 xc:'rgba(255,0,255,255)' img/gear.png
convert -size 64x64 xc:'rgba(0,255,255,255)' img/motor.png
convert -size 64x64 xc:'rgba(255,255,0,255)' img/link.png
for name in tools bluebutton greenbutton redbutton switch tightlight cursors cursorglow; do convert -size 64x64 xc:'rgba(128,128,128,0)' "img/$name.png"; done
# The game's own sounds, played on SDL's silent driver so that "Playing ..." lines appear.
cp "$source_dir"/sounds/* sounds/ 2>/dev/null
export SDL_AUDIODRIVER=dummy

failures=0
check() {  # check DESCRIPTION COMMAND...
    if "${@:2}"; then echo "ok: $1"; else echo "FAILED: $1"; failures=$((failures + 1)); fi
}
shot() { timeout 10 import -window "$window" "$1"; }  # import can hang on a window that is gone
size() { xdotool getwindowgeometry "$window" | sed -n 's/.*Geometry: //p'; }
# The colour at window pixel (x, y) of a screenshot, as r,g,b.
colour() { convert "$1" -format "%[fx:int(255*p{$2,$3}.r)],%[fx:int(255*p{$2,$3}.g)],%[fx:int(255*p{$2,$3}.b)]" info:; }
near() {  # near FILE X Y R,G,B: every channel of that pixel within 40
    local IFS=,; local a=($(colour "$1" "$2" "$3")) b=($4)
    for i in 0 1 2; do d=$((a[i] - b[i])); [ ${d#-} -le 40 ] || return 1; done
}
not() { ! "$@"; }
# until_near X Y R,G,B: screenshots until that window pixel shows the colour (at most 10 s), so a
# slow frame under load is waited for; the last screenshot stays in now.png.
until_near() {
    for _ in $(seq 40); do shot now.png; near now.png "$@" && return; sleep 0.25; done
    echo "  ($1, $2) shows $(colour now.png "$1" "$2"), not $3"; return 1
}
see() { check "$1" until_near "${@:2}"; }
move_to() { xdotool mousemove --window "$window" "$1" "$2"; sleep "${3:-0.3}"; }
click_at() { move_to "$1" "$2" 0.2; xdotool click 1; sleep 0.4; }
# Window pixel = board point (x + 400, 300 - y). The pointer at the bottom edge raises the bar.
pick() { move_to 400 590 1.2; click_at "$1" "$2"; }
start() {  # start [OUTPUT]: runs the game and waits for its window
    "$game" > "${1:-/dev/null}" 2>> err.txt &
    pid=$!
    window=$(timeout 20 xdotool search --sync --onlyvisible --name '^Brindlecog$' | head -n 1)
    [ -n "$window" ] && return
    echo "FAILED: no window appeared on display $DISPLAY"
    kill -0 "$pid" 2>/dev/null && echo "  the game still runs" || echo "  the game has ended"
    timeout 5 xwininfo -root -tree | grep -E '^ +0x[0-9a-f]+ "' | head -20  # the named windows
    cat err.txt; exit 1
}

start out.txt
see "the splash picture shows" 400 300 200,30,30
geometry=$(size)
check "the window is 800 by 600 (got $geometry)" test "$geometry" = 800x600
check "the window's class is brindlecog" bash -c "xprop -id $window WM_CLASS | grep -q '\"brindlecog\", \"brindlecog\"'"
# Width, height, then the first pixel as ARGB: the (magenta) gear picture.
check "the window's icon is the gear picture" test "$(xprop -id "$window" -notype -f _NET_WM_ICON 32c \
    ' $0 $1 $2' _NET_WM_ICON)" = "_NET_WM_ICON 64 64 $((0xffff00ff))"
click_at 400 300
see "a click shows the instructions" 400 300 30,30,200
click_at 400 300
see "a second click enters the play mode" 600 200 40,160,40

# A plain left drag is held back by the other gears; with Shift (pressed during the drag: then
# freeglut reports it only through key events) the gear goes straight over them. The starting
# gears stand at window (345, 85), (145, 85), (345, 250) and the motor at (145, 250).
drag_towards() {  # drag_towards FROM_X TO_X REACH_X [KEY]: drags the gear at (FROM_X, 250)
    # towards TO_X; true once it shows at REACH_X. Shoots hold.png before letting go.
    move_to "$1" 250; xdotool mousedown 1; sleep 0.2
    [ -n "${4:-}" ] && xdotool keydown "$4"
    for step in 1 2 3 4 5 6 7 8; do move_to $(($1 + ($2 - $1) * step / 8)) 250 0.05; done
    until_near "$3" 250 255,0,255; local reached=$?
    sleep 1; shot hold.png; [ -n "${4:-}" ] && xdotool keyup "$4"; xdotool mouseup 1; sleep 0.3
    return $reached
}
check "a left drag moves a gear" drag_towards 345 160 260
check "  but not onto the motor" not near hold.png 160 250 255,0,255
check "  but with Shift it goes over the motor" drag_towards 262 160 160 shift  # from where it was held
# freeglut reports the wheel's notches as buttons 4 and 5 (3 and 4 to the game): no grab.
move_to 145 85; xdotool click 4 click 5; sleep 0.2
for x in 300 450 600; do move_to "$x" 400 0.1; done
sleep 0.8; shot wheel.png
check "the wheel does not pick up a gear" near wheel.png 600 400 40,160,40

# The raised bar under the real pointer (every tool's effect is the play mode's unit tests' to
# check): Small gear (370, 440), then the power switch (572, 510), off and on again.
pick 370 440; click_at 600 200
see "Small gear puts a gear down at the pointer" 600 200 255,0,255
pick 572 510; click_at 572 510

# The window never asks to be larger than the screen (1024x768 here): 800x800 snaps to 1024x768.
xdotool windowsize "$window" 800 800
for _ in $(seq 50); do [ "$(size)" = 1024x768 ] && break; sleep 0.1; done
geometry=$(size)
check "a window taller than the screen snaps to the screen (got $geometry)" test "$geometry" = 1024x768

# Keys go where the pointer is: there is no window manager to give focus. A game that does not
# end within 5 s is killed, which shows as status 137.
for how in Escape ctrl+q alt+F4 TERM; do
    [ "$how" = Escape ] || start
    move_to 400 300 0.1
    if [ "$how" = TERM ]; then kill -TERM "$pid"; else xdotool key "$how"; fi
    for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
    kill -KILL "$pid" 2>/dev/null; wait "$pid"; status=$?
    # SIGTERM ends the game as the keys do (the audio library must not swallow it).
    check "$how ends the game with status 0 (got $status)" test "$status" -eq 0
done

# Maximised by a window manager, the window keeps the screen's shape: the board is drawn in the
# largest 4:3 box, centred between black bars, and the pointer is mapped through the same box.
cat > openbox.xml << 'XML'
<openbox_config xmlns="http://openbox.org/3.4/rc"><applications>
<application class="*"><maximized>yes</maximized></application></applications>
<keyboard><keybind key="W-w"><action name="Close"/></keybind></keyboard></openbox_config>
XML
letterboxed() {  # letterboxed WxH: the game maximised by openbox on a WxH screen
    rm -f display  # the last screen's number would otherwise be read before the new one is up
    # -noreset: a server resets when its last client leaves, and refuses connections meanwhile;
    # one of the test's own tools could be that client while openbox starts, which then exits.
    Xvfb -displayfd 6 -noreset -screen 0 "${1}x24" 6> display > /dev/null 2> xvfb.txt &
    server=$!
    # The number is written once the server takes connections.
    for _ in $(seq 200); do grep -q '^[0-9]' display && break; sleep 0.1; done
    if ! grep -q '^[0-9]' display; then
        check "$1: a screen starts" false; cat xvfb.txt; kill "$server"; wait "$server"; return
    fi
    local -x DISPLAY=":$(cat display)"
    # The game starts once openbox has finished starting (its --startup command has run): a
    # window mapped while a slow start is under way (a fresh machine builds its font cache) was
    # never managed, and freeglut waits for that map for ever.
    rm -f wm-ready
    openbox --startup "touch $work/wm-ready" --config-file "$work/openbox.xml" > /dev/null 2>&1 &
    manager=$!
    local w h bw bh left top
    for _ in $(seq 200); do [ -e wm-ready ] && break; sleep 0.1; done
    start
    for _ in $(seq 100); do  # until the window manager has maximised it to the screen's width
        read -r w h <<< "$(size | tr x ' ')"; [ "$w" = "${1%x*}" ] && break; sleep 0.1
    done
    if [ "$w" = "${1%x*}" ]; then letterbox_checks "$1"; else check "$1: openbox maximises the window (got ${w}x${h})" false; fi
    # Closing the window through the window manager (Super+W: openbox's Close) ends the game.
    xdotool key super+w
    for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
    kill -KILL "$pid" 2>/dev/null; wait "$pid"; local status=$?
    check "$1: closing the window ends the game with status 0 (got $status)" test "$status" -eq 0
    kill "$manager" "$server" 2> /dev/null; wait "$manager" "$server" 2> /dev/null
}
letterbox_checks() {  # letterbox_checks WxH: the board in the maximised window of letterboxed
    bh=$h; bw=$((h * 4 / 3))
    [ "$bw" -gt "$w" ] && bh=$((w * 3 / 4)) && bw=$((bh * 4 / 3))
    left=$(((w - bw) / 2)); top=$(((h - bh) / 2))
    at() { echo $((left + ($1 + 400) * bw / 800)) $((top + (300 - $2) * bw / 800)); }
    until_near $(at 0 0) 200,30,30 > /dev/null
    click_at $(at 0 0); click_at $(at 0 0)
    until_near $(at 0 0) 40,160,40 > /dev/null
    # Right-drag the gear at board (-55, 50) to (200, -50).
    move_to $(at -55 50); xdotool mousedown 3
    for point in "0 20" "100 -20" "200 -50"; do move_to $(at $point) 0.1; done
    sleep 0.5; xdotool mouseup 3
    see "$1: maximised to ${w}x${h}, a gear dragged in the box lies under the pointer" $(at 200 -50) 255,0,255
    check "$1: black bars beside the board" near now.png $((left / 2)) $((top / 2)) 0,0,0
}
for size in 1920x1080 1280x1024 1000x600; do letterboxed "$size"; done

for line in "Loaded texture ./img/splash.jpg" "Loaded texture ./img/bg.jpg" "Loaded Sound bg" "Playing bg" \
    "Playing button" "Playing motorStop" "Playing motorStart"; do  # the power switch: off, on
    check "standard output: $line" grep -qx "$line" out.txt
done
places=$(grep -cx "Playing place" out.txt)
check "one place sound, for the gear put down (got $places)" test "$places" -eq 1
if [ "$failures" -ne 0 ]; then
    echo "--- game output"; cat out.txt; echo "--- errors"; head -20 err.txt
    cp ./*.png "${TMPDIR:-/tmp}/" 2>/dev/null
fi
echo "$failures failed"
[ "$failures" -eq 0 ]
