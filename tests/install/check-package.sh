#!/bin/bash
# Checks the Debian package the way Debian's tools see it: lintian with every tag up to pedantic,
# the manual page, the AppStream metadata and the menu entry inside it, the hardening of the
# binary, and that packing the same build again gives the same bytes.
# Usage: check-package.sh PACKAGE_BUILD_DIR  (after `make package`, which sets SOURCE_DATE_EPOCH)
set -euo pipefail

build=$1
debs=("$build"/brindlecog_*.deb)
[ "${#debs[@]}" -eq 1 ] && [ -f "${debs[0]}" ] || { echo "FAIL: not one package in $build" >&2; exit 1; }
deb=${debs[0]}
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

# Errors, warnings and infos fail; pedantic and experimental tags are shown for the record.
if ! lintian -EvIL +pedantic --tag-display-limit 0 --fail-on error,warning,info "$deb" \
    >"$scratch/lintian" 2>&1; then
    fail "lintian:"
    cat "$scratch/lintian" >&2
fi
grep -E '^[PX]: ' "$scratch/lintian" || true

dpkg-deb -x "$deb" "$scratch/root"
root=$scratch/root/usr
warnings=$(man --warnings -l "$root/share/man/man6/brindlecog.6.gz" 2>&1 >/dev/null) || fail "man failed"
[ -z "$warnings" ] || fail "man --warnings: $warnings"
# No network here: the metadata's links cannot be fetched, everything else is checked.
appstreamcli validate --pedantic --no-net "$root"/share/metainfo/*.metainfo.xml >"$scratch/as" 2>&1 ||
    fail "appstreamcli validate: $(cat "$scratch/as")"
grep -Eq '^[EWIP]: ' "$scratch/as" && fail "appstreamcli validate: $(cat "$scratch/as")"
# The menu entry: hints are only suggestions; errors and warnings count.
desktop-file-validate "$root"/share/applications/*.desktop >"$scratch/desktop" 2>&1 &&
    ! grep -Eq ': (error|warning): ' "$scratch/desktop" || fail "desktop-file-validate: $(cat "$scratch/desktop")"

# Hardening: full RELRO (relro + bind now), stack protector and fortified calls.
game=$root/libexec/brindlecog/brindlecog
# (Process substitution: grep -q ending a pipe early would fail it under pipefail.)
grep -q GNU_RELRO <(readelf -lW "$game") || fail "no RELRO"
grep -Eq 'FLAGS.*(BIND_NOW|NOW)' <(readelf -dW "$game") || fail "not linked with -z now"
grep -q __stack_chk_fail <(readelf -sW --dyn-syms "$game") || fail "no stack protector"
# Fortified calls show only where the game uses such functions; lintian checks those it does.
grep -q -- -D_FORTIFY_SOURCE=2 "$build/compile_commands.json" || fail "not built with FORTIFY"
grep -q '\.debug_info' <(readelf -SW "$game") && fail "the binary is not stripped"

# The same build packed again, later: only the commit's time may show in it.
cp "$deb" "$scratch/first.deb"
sleep 1
(cd "$build" && cpack >/dev/null 2>&1)
cmp "$scratch/first.deb" "$deb" || fail "a second packing gave different bytes"

[ "$failures" -eq 0 ] || exit 1
echo "$deb: lintian clean, manual page, metadata and menu entry valid, hardened, reproducible"
