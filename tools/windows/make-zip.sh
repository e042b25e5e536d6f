#!/bin/bash
# make-zip.sh BUILD_DIR PREFIX: packs the Windows build into BUILD_DIR/brindlecog-windows-x86_64.zip
# with the DLLs the program loads (found by following imports), stripped, the pictures, the
# sounds, a README.txt and the licence texts.
set -euo pipefail
build=$(realpath "$1")
prefix=$(realpath "$2")
source_dir=$(cd "$(dirname "$0")/../.." && pwd)
name=brindlecog-windows-x86_64
stage=$build/$name
rm -rf "$stage" "$build/$name.zip"
mkdir -p "$stage/licences"

imports() { x86_64-w64-mingw32-objdump -p "$1" | sed -n 's/^\s*DLL Name: //p'; }
# Every import is either one of ours from the prefix or a part of Windows.
pending=("$build/brindlecog.exe")
while [ ${#pending[@]} -gt 0 ]; do
    file=${pending[0]}
    pending=("${pending[@]:1}")
    for dll in $(imports "$file"); do
        if [ -f "$prefix/bin/$dll" ]; then
            if [ ! -f "$stage/$dll" ]; then
                x86_64-w64-mingw32-strip -o "$stage/$dll" "$prefix/bin/$dll"
                pending+=("$stage/$dll")
            fi
        elif ! grep -qix "$dll" "$source_dir/tools/windows/system-dlls.txt"; then
            echo "$(basename "$file") needs $dll, which is neither built nor part of Windows"
            exit 1
        fi
    done
done
x86_64-w64-mingw32-strip -o "$stage/brindlecog.exe" "$build/brindlecog.exe"
cp -r "$source_dir/img" "$source_dir/sounds" "$stage/"
cp "$source_dir/tools/windows/README.txt" "$stage/"
cp "$prefix"/licences/*.txt "$stage/licences/"
cp "$source_dir/LICENSE" "$stage/licences/brindlecog.txt"
(cd "$build" && rm -f "$name.zip" && zip -qr -9 "$name.zip" "$name")
echo "$build/$name.zip: $(du -k "$build/$name.zip" | cut -f1) KiB"
