#!/bin/bash
# Builds the game's libraries for 64-bit Windows from Debian's source packages with Debian's
# mingw-w64, into a prefix outside the checkout, and prints that prefix on standard output.
#
# The prefix is kept in $BRINDLECOG_WINDOWS_CACHE (default /var/cache/brindlecog-windows) under
# a key made of the pinned versions and of this script and the toolchain file, so a later run
# on the same machine reuses it. zlib comes ready-built from Debian's libz-mingw-w64-dev.
# Only what the game uses is built: PNG and JPEG in DevIL (IL, ILU, ILUT for OpenGL), WAV and
# MP3 (its built-in decoder) in SDL2_mixer, SDL2 with audio alone.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
toolchain=$here/toolchain-mingw64.cmake
jobs=${JOBS:-2}

# Source package, version, the upstream tarball's sha256. DevIL is taken from unstable: the
# bookworm tarball is not served any more, and only the orig tarball of this one is.
sources=(
    "libpng1.6 1.6.39-2+deb12u5 a00e9d2f2f664186e4202db9299397f851aea71b36a35e74910b8820e380d441"
    "libjpeg-turbo 1:2.1.5-2 254f3642b04e309fee775123133c6464181addc150499561020312ec61c1bf7c"
    "libsdl2 2.26.5+dfsg-1 b3f2c822151804125d08db94c65852f711c2e5df2145a59da120748dc32eb9c3"
    "libsdl2-mixer 2.6.2+dfsg-2 648d9545a92a4839b5edecc775d54608516bc8963d609a8d2193df94518ca072"
    "freeglut 3.4.0-1 3c0bcb915d9b180a97edaebd011b7a1de54583a838644dcd42bb0ea0c6f3eaec"
    "devil 1.8.0.40.g6f3d5e9b+dfsg-5 6ab7b58567278dd038da3ba129b969958c93174a0af473962b6a3567d45260f8"
)

key=$( (printf '%s\n' "${sources[@]}"; cat "$0" "$toolchain") | sha256sum | cut -c1-16)
cache=${BRINDLECOG_WINDOWS_CACHE:-/var/cache/brindlecog-windows}
prefix=$cache/$key
if [ -f "$prefix/.complete" ]; then
    echo "$prefix"
    exit 0
fi
exec 3>&1 1>&2  # progress to standard error; the prefix alone to standard output
started=$(date +%s)
"$here/../ensure-packages" g++-mingw-w64-x86-64 mingw-w64-x86-64-dev libz-mingw-w64-dev \
    cmake ninja-build dpkg-dev xz-utils
work=$cache/$key.work
mkdir -p "$work/download" "$prefix"

# apt-get source through a private list of deb-src entries, leaving the machine's apt as it is.
apt_dir=$work/apt
mkdir -p "$apt_dir/lists/partial" "$apt_dir/cache/archives/partial" "$apt_dir/parts"
keyring=/usr/share/keyrings/debian-archive-keyring.gpg
cat > "$apt_dir/sources.list" <<EOF
deb-src [signed-by=$keyring] http://deb.debian.org/debian bookworm main
deb-src [signed-by=$keyring] http://deb.debian.org/debian unstable main
EOF
apt_private=(-o Dir::Etc::SourceList="$apt_dir/sources.list" -o Dir::Etc::SourceParts="$apt_dir/parts"
    -o Dir::State::Lists="$apt_dir/lists" -o Dir::Cache="$apt_dir/cache"
    -o APT::Sandbox::User=root)

tarball() {  # the upstream tarball of a source package in the download folder
    ls "$work/download/${1}_"*.orig.tar.* 2>/dev/null | head -n 1
}

fetch_sources() {
    local missing=()
    for entry in "${sources[@]}"; do
        set -- $entry
        [ -n "$(tarball "$1")" ] || missing+=("$1=$2")
    done
    [ ${#missing[@]} -eq 0 ] && return
    apt-get "${apt_private[@]}" update -qq
    # The DevIL package's own files are gone from the archive, its tarball is not: apt-get
    # fails for it, the checksum below decides.
    (cd "$work/download" && apt-get "${apt_private[@]}" source --download-only "${missing[@]}") ||
        echo "apt-get source reported a failure; checking the tarballs"
    for entry in "${sources[@]}"; do
        set -- $entry
        local file
        file=$(tarball "$1")
        if [ -z "$file" ] || ! echo "$3  $file" | sha256sum -c --quiet; then
            echo "The source of $1 $2 could not be fetched or does not match its checksum."
            exit 1
        fi
    done
}

unpack() {  # unpack PACKAGE: a fresh source tree; prints its folder
    rm -rf "$work/src/$1"
    mkdir -p "$work/src/$1"
    tar -xf "$(tarball "$1")" -C "$work/src/$1" --strip-components=1
    echo "$work/src/$1"
}

cmake_build() {  # cmake_build PACKAGE SOURCE_DIR OPTIONS...: configure, build, install
    local name=$1 source=$2 log=$work/$1.log step_started
    shift 2
    [ -f "$work/$name.done" ] && return
    step_started=$(date +%s)
    rm -rf "$work/build/$name"  # what an interrupted run left
    if ! { cmake -S "$source" -B "$work/build/$name" -G Ninja -Wno-dev \
        -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_INSTALL_PREFIX="$prefix" -DCMAKE_PREFIX_PATH="$prefix" "$@" &&
        cmake --build "$work/build/$name" -j"$jobs" &&
        cmake --install "$work/build/$name"; } > "$log" 2>&1; then
        tail -n 30 "$log"
        echo "Building $name failed; its log: $log"
        exit 1
    fi
    touch "$work/$name.done"
    echo "$name: $(($(date +%s) - step_started)) s"
}

licence() {  # licence NAME FILE: the licence text that ships with the program
    mkdir -p "$prefix/licences"
    cp "$2" "$prefix/licences/$1.txt"
}

fetch_sources
zlib=/usr/x86_64-w64-mingw32

# libpng and libjpeg-turbo are linked statically into DevIL's IL.dll.
src=$(unpack libpng1.6)
licence libpng "$src/LICENSE"
cmake_build libpng "$src" -DPNG_SHARED=OFF -DPNG_TESTS=OFF -DPNG_EXECUTABLES=OFF \
    -DZLIB_LIBRARY="$zlib/lib/libz.a" -DZLIB_INCLUDE_DIR="$zlib/include"

src=$(unpack libjpeg-turbo)
licence libjpeg-turbo "$src/LICENSE.md"
cmake_build libjpeg-turbo "$src" -DENABLE_SHARED=OFF -DWITH_TURBOJPEG=OFF -DWITH_SIMD=OFF

# SDL2: the audio subsystem and what it rests on; no input or rendering. Its Windows video
# layer stays, as the library exports some of its functions whatever is switched off.
src=$(unpack libsdl2)
licence SDL2 "$src/LICENSE.txt"
sdl_off=()
for subsystem in RENDER OPENGL OPENGLES VULKAN JOYSTICK HAPTIC HIDAPI POWER SENSOR LOCALE MISC \
    FILESYSTEM; do
    sdl_off+=(-DSDL_$subsystem=OFF)
done
cmake_build SDL2 "$src" -DSDL_SHARED=ON -DSDL_STATIC=OFF -DSDL_TEST=OFF \
    -DSDL2_DISABLE_SDL2MAIN=ON "${sdl_off[@]}"

src=$(unpack libsdl2-mixer)
licence SDL2_mixer "$src/LICENSE.txt"
cmake_build SDL2_mixer "$src" -DSDL2MIXER_SAMPLES=OFF -DSDL2MIXER_VENDORED=OFF \
    -DSDL2MIXER_CMD=OFF -DSDL2MIXER_FLAC=OFF -DSDL2MIXER_MOD=OFF -DSDL2MIXER_MIDI=OFF \
    -DSDL2MIXER_OPUS=OFF -DSDL2MIXER_VORBIS= -DSDL2MIXER_MP3_DRMP3=ON -DSDL2MIXER_WAVE=ON

src=$(unpack freeglut)
licence freeglut "$src/COPYING"
cmake_build freeglut "$src" -DFREEGLUT_BUILD_DEMOS=OFF -DFREEGLUT_BUILD_STATIC_LIBS=OFF

src=$(unpack devil)/DevIL
licence DevIL "$src/../LICENSE"
# The +dfsg tarball lacks the Windows version resources: one string each serves. Its CMake lists
# "libraries.txt" where the file is "Libraries.txt", and leaves out ilut_config.h.
for library in IL ILU ILUT; do
    printf 'STRINGTABLE\nBEGIN\n  1 "%s"\nEND\n' "$library" > "$src/src-$library/msvc/$library.rc"
done
cp "$src/Libraries.txt" "$src/libraries.txt"
cmake_build DevIL "$src" -DIL_TESTS=OFF -DBUILD_SHARED_LIBS=ON \
    -DGLUT_INCLUDE_DIR="$prefix/include" -DGLUT_glut_LIBRARY="$prefix/lib/libfreeglut.dll.a" \
    -DPNG_PNG_INCLUDE_DIR="$prefix/include" -DPNG_LIBRARY="$prefix/lib/libpng16.a" \
    -DJPEG_INCLUDE_DIR="$prefix/include" -DJPEG_LIBRARY="$prefix/lib/libjpeg.a" \
    -DZLIB_LIBRARY="$zlib/lib/libz.a" -DZLIB_INCLUDE_DIR="$zlib/include"
cp "$src/include/IL/ilut_config.h" "$prefix/include/IL/"
licence zlib /usr/share/doc/libz-mingw-w64-dev/copyright

rm -rf "$work"
touch "$prefix/.complete"
echo "Windows dependencies built in $(($(date +%s) - started)) s: $prefix"
echo "$prefix" >&3
