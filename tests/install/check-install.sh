#!/bin/bash
# Installs the game into a scratch prefix as a player would (`cmake --install --prefix`), checks
# the installed tree and the menu entry, then runs the menu entry's command from an unrelated
# folder on a private X server until the game's window appears, and ends it.
# Usage: check-install.sh BUILD_DIR SOURCE_DIR
set -euo pipefail

build=$1
source=$2
scratch=$(mktemp -d)
game_pid=""
xvfb_pid=""

# Ends a process group started here (signal, leader) and waits for its leader.
stop() {
    if [ -n "$2" ] && kill "-$1" -- "-$2" 2>/dev/null; then
        wait "$2" 2>/dev/null || true
    fi
}
cleanup() {
    # KILL: the audio library turns TERM into a quit event that the game never reads.
    stop KILL "$game_pid"
    stop TERM "$xvfb_pid"
    rm -rf "$scratch"
}
trap cleanup EXIT

failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

prefix=$scratch/prefix
if ! cmake --install "$build" --prefix "$prefix" >"$scratch/install.log" 2>&1; then
    cat "$scratch/install.log" >&2
    echo "FAIL: cmake --install" >&2
    exit 1
fi
data=$prefix/share/games/brindlecog
game=$prefix/libexec/brindlecog/brindlecog
launcher=$prefix/games/brindlecog
entry=$prefix/share/applications/io.github.brindlecog.brindlecog.desktop

# --- The installed tree: exactly the game, its launcher, menu entry, metadata, manual page and
# documents, and every picture, sound and icon of the source tree (byte for byte); no library,
# tests or tools.
{
    echo libexec/brindlecog/brindlecog
    echo games/brindlecog
    echo share/applications/io.github.brindlecog.brindlecog.desktop
    echo share/metainfo/io.github.brindlecog.brindlecog.metainfo.xml
    echo share/man/man6/brindlecog.6.gz
    echo share/doc/brindlecog/copyright
    echo share/doc/brindlecog/changelog.gz
    (cd "$source" && find img -maxdepth 1 -type f \( -name '*.png' -o -name '*.jpg' \)) |
        sed 's|^|share/games/brindlecog/|'
    (cd "$source" && find sounds -maxdepth 1 -type f \( -name '*.wav' -o -name '*.mp3' \)) |
        sed 's|^|share/games/brindlecog/|'
    (cd "$source/packaging" && find icons -type f) | sed 's|^|share/|'
} | sort >"$scratch/expected"
(cd "$prefix" && find . -type f | sed 's|^\./||' | sort) >"$scratch/installed"
if ! diff -u "$scratch/expected" "$scratch/installed" >"$scratch/layout.diff"; then
    fail "installed files differ from the expected layout (- expected, + installed):"
    cat "$scratch/layout.diff" >&2
fi
for file in $(cd "$source" && find img sounds -maxdepth 1 -type f) $(cd "$source/packaging" && find icons -type f); do
    installed=$data/$file
    [[ $file == icons/* ]] && installed=$prefix/share/$file && file=packaging/$file
    if [ -f "$installed" ] && ! cmp -s "$source/$file" "$installed"; then
        fail "$installed differs from $source/$file"
    fi
done
zcmp "$prefix/share/doc/brindlecog/changelog.gz" "$source/NEWS" || fail "changelog.gz is not NEWS"
[ -d "$data/img" ] && [ -d "$data/sounds" ] || fail "missing $data/img or $data/sounds"
[ -x "$game" ] || fail "$game is not executable"
[ -x "$launcher" ] || fail "$launcher is not executable"
# 48x48 is the size every icon lookup falls back to.
for icon in 48x48/apps/brindlecog.png scalable/apps/brindlecog.svg; do
    [ -f "$prefix/share/icons/hicolor/$icon" ] || fail "no icon hicolor/$icon"
done

# --- The menu entry: valid, in the Game category, naming the installed launcher and icon.
# Hints are only suggestions; errors and warnings count.
if ! desktop-file-validate "$entry" >"$scratch/validate.log" 2>&1 ||
    grep -Eq ': (error|warning): ' "$scratch/validate.log"; then
    fail "desktop-file-validate $entry:"
    cat "$scratch/validate.log" >&2
fi
field() { sed -n "s/^$1=//p" "$entry"; }
[[ ";$(field Categories)" == *";Game;"* ]] || fail "menu entry not in the Game category"
[ "$(field Exec)" = "$launcher" ] || fail "menu entry runs '$(field Exec)', not $launcher"
[ "$(field Icon)" = brindlecog ] || fail "menu entry icon is '$(field Icon)'"
[ "$(field Type)" = Application ] || fail "menu entry type is '$(field Type)'"

# --- Launch: the menu entry's command from a folder without pictures, on a private X server.
# -displayfd picks a free display number itself, so parallel tests do not race for one.
setsid Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$scratch/display" 2>"$scratch/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 100); do
    [ -s "$scratch/display" ] && break
    sleep 0.1
done
[ -s "$scratch/display" ] || { cat "$scratch/xvfb.log" >&2; echo "FAIL: Xvfb did not start" >&2; exit 1; }
display=:$(head -n 1 "$scratch/display")

mkdir "$scratch/elsewhere"
# The display is passed only as a GLUT argument (DISPLAY unset): the game can open its window
# only if the launcher hands its arguments on. "two words" must arrive as one argument. setsid
# gives the game its own process group, so that nothing it started outlives the test.
(cd "$scratch/elsewhere" && exec setsid env -u DISPLAY $(field Exec) -display "$display" "two words") \
    >"$scratch/game.log" 2>&1 &
game_pid=$!

window=""
for _ in $(seq 150); do
    window=$(DISPLAY=$display xdotool search --name '^Brindlecog$' 2>/dev/null | head -n 1) || true
    [ -n "$window" ] && break
    kill -0 "$game_pid" 2>/dev/null || break
    sleep 0.2
done
if [ -z "$window" ]; then
    fail "no window named Brindlecog appeared; the game's output:"
    cat "$scratch/game.log" >&2
    exit 1
fi
echo "window $window: $(DISPLAY=$display xdotool getwindowgeometry "$window" | tr '\n' ' ')"

# The launcher exec'd the game in place: same process, installed binary, data folder as its
# working directory, the arguments unchanged.
[ "$(readlink "/proc/$game_pid/exe")" = "$(readlink -f "$game")" ] ||
    fail "running $(readlink "/proc/$game_pid/exe"), not $game"
[ "$(readlink "/proc/$game_pid/cwd")" = "$(readlink -f "$data")" ] ||
    fail "working directory $(readlink "/proc/$game_pid/cwd"), not $data"
arguments=$(tr '\0' '\n' <"/proc/$game_pid/cmdline" | tail -n +2)
[ "$arguments" = "$(printf '%s\n' -display "$display" "two words")" ] ||
    fail "arguments arrived as: $(echo "$arguments" | tr '\n' '|')"
if [ -f "$data/img/splash.jpg" ]; then
    grep -q '^Loaded texture ./img/splash.jpg' "$scratch/game.log" ||
        fail "the game did not load its splash picture; its output: $(cat "$scratch/game.log")"
fi

[ "$failures" -eq 0 ] || exit 1
echo "installed into $prefix, menu entry valid, window shown"
