#!/bin/bash
# Installs the game into a scratch prefix as a player would (`cmake --install --prefix`), checks
# the installed tree and the menu entry, then runs the menu entry's command from an unrelated
# folder on a private X server until the game's window appears, and ends it. (The menu entry's
# validity is checked on the package, by check-package.sh.)
# Usage: check-install.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
build=$1
source=$2
scratch=$(mktemp -d)
game_pid=""
xvfb_pid=""
# KILL for the game's process group: the audio library turns TERM into a quit event that the
# game never reads. setsid gave each its own group, so that nothing either started outlives us.
trap 'set +e; kill -KILL -- "-$game_pid" 2> /dev/null; kill -- "-$xvfb_pid" 2> /dev/null; wait 2> /dev/null; rm -rf "$scratch"' EXIT
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

prefix=$scratch/prefix
cmake --install "$build" --prefix "$prefix" > "$scratch/install.log" 2>&1 ||
    { cat "$scratch/install.log" >&2; echo "FAIL: cmake --install" >&2; exit 1; }
data=$prefix/share/games/brindlecog
game=$prefix/libexec/brindlecog/brindlecog
entry=$prefix/share/applications/io.github.brindlecog.brindlecog.desktop

# --- The installed tree: the source tree's pictures, sounds and icons byte for byte, and beside
# them exactly the game, its launcher, menu entry, metadata, manual page and documents: no
# library, tests or tools.
for folder in img sounds; do diff -r "$source/$folder" "$data/$folder" >&2 || fail "$data/$folder differs from $folder"; done
diff -r "$source/packaging/icons" "$prefix/share/icons" >&2 || fail "the installed icons differ from packaging/icons"
printf '%s\n' ./games/brindlecog ./libexec/brindlecog/brindlecog ./share/applications/io.github.brindlecog.brindlecog.desktop \
    ./share/metainfo/io.github.brindlecog.brindlecog.metainfo.xml ./share/man/man6/brindlecog.6.gz \
    ./share/doc/brindlecog/copyright ./share/doc/brindlecog/changelog.gz | sort > "$scratch/expected"
(cd "$prefix" && find . -type f ! -path "./share/icons/*" ! -path "./share/games/brindlecog/img/*" \
    ! -path "./share/games/brindlecog/sounds/*" | sort) | diff -u "$scratch/expected" - >&2 ||
    fail "installed files differ from the expected layout (- expected, + installed)"
zcmp "$prefix/share/doc/brindlecog/changelog.gz" "$source/NEWS" || fail "changelog.gz is not NEWS"

# --- The menu entry: in the Game category with the game's icon. Its command is run below.
field() { sed -n "s/^$1=//p" "$entry"; }
[[ ";$(field Categories)" == *";Game;"* ]] || fail "menu entry not in the Game category"
[ "$(field Icon)" = brindlecog ] || fail "menu entry icon is '$(field Icon)'"

# --- Launch: the menu entry's command from a folder without pictures, on a private X server.
# -displayfd picks a free display number itself, so parallel tests do not race for one.
setsid Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3> "$scratch/display" 2> "$scratch/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 100); do [ -s "$scratch/display" ] && break; sleep 0.1; done
[ -s "$scratch/display" ] || { cat "$scratch/xvfb.log" >&2; echo "FAIL: Xvfb did not start" >&2; exit 1; }
display=:$(head -n 1 "$scratch/display")
mkdir "$scratch/elsewhere"
# The display is passed only as a GLUT argument (DISPLAY unset): the game can open its window
# only if the launcher hands its arguments on. "two words" must arrive as one argument.
(cd "$scratch/elsewhere" && exec setsid env -u DISPLAY $(field Exec) -display "$display" "two words") \
    > "$scratch/game.log" 2>&1 &
game_pid=$!
window=$(DISPLAY=$display timeout 30 xdotool search --sync --name '^Brindlecog$' | head -n 1) || true
[ -n "$window" ] || { cat "$scratch/game.log" >&2; echo "FAIL: no window named Brindlecog appeared" >&2; exit 1; }

# The launcher exec'd the game in place: same process, installed binary, data folder as its
# working directory, the arguments unchanged, and the pictures found there.
[ "$(readlink "/proc/$game_pid/exe")" = "$(readlink -f "$game")" ] || fail "running $(readlink "/proc/$game_pid/exe"), not $game"
[ "$(readlink "/proc/$game_pid/cwd")" = "$(readlink -f "$data")" ] || fail "working directory $(readlink "/proc/$game_pid/cwd"), not $data"
arguments=$(tr '\0' '\n' < "/proc/$game_pid/cmdline" | tail -n +2)
[ "$arguments" = "$(printf '%s\n' -display "$display" "two words")" ] || fail "arguments arrived as: $(echo "$arguments" | tr '\n' '|')"
grep -q '^Loaded texture ./img/splash.jpg' "$scratch/game.log" || fail "no splash picture loaded; the game said: $(cat "$scratch/game.log")"
[ "$failures" -eq 0 ] || exit 1
echo "installed into $prefix, menu entry launches the game, window $window shown"
