#!/bin/bash
# Builds the libraries the Windows build links statically and Debian has no MinGW package of:
# libpng and libjpeg-turbo from Debian's own source packages (the versions pinned below: the upstream
# versions of the Linux build's, in the revision Debian's main archive now carries; it keeps only the
# latest, so a newer one means a new pin) and GoogleTest from /usr/src/googletest,
# with the MinGW-w64 toolchain.
#
#   tools/windows/build-deps.sh            prints the prefix they are installed in
#
# The prefix (~/.cache/q7x-windows/deps-<versions>, or under $Q7X_WINDOWS_CACHE) is reused when it
# is complete. The sources are fetched with a private apt list under the cache: /etc/apt is not touched.
set -euo pipefail

LIBPNG_VERSION=1.6.39-2+deb12u5
LIBJPEG_VERSION=1:2.1.5-2
GTEST_VERSION=$(dpkg-query -W -f='${Version}' googletest)

CACHE=${Q7X_WINDOWS_CACHE:-$HOME/.cache/q7x-windows}
PREFIX=$CACHE/deps-png${LIBPNG_VERSION//[:+~]/_}-jpeg${LIBJPEG_VERSION//[:+~]/_}-gtest${GTEST_VERSION//[:+~]/_}
TOOLCHAIN=$(cd "$(dirname "${BASH_SOURCE[0]}")/../../cmake/toolchains" && pwd)/mingw-w64.cmake
MINGW_ROOT=/usr/x86_64-w64-mingw32

if [ -f "$PREFIX/.complete" ]; then
    echo "$PREFIX"
    exit 0
fi

WORK=$CACHE/deps-work
rm -rf "$WORK" "$PREFIX"
mkdir -p "$WORK/apt/lists/partial" "$WORK/apt/cache/archives/partial" "$PREFIX"
trap '[ -f "$PREFIX/.complete" ] || rm -rf "$PREFIX"' EXIT

# A private apt with Debian's source lists only.
cat > "$WORK/apt/sources.list" <<SOURCES
deb-src [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] http://deb.debian.org/debian bookworm main
deb-src [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] http://deb.debian.org/debian bookworm-updates main
SOURCES
APT=(apt-get -qq -o "Dir::Etc::sourcelist=$WORK/apt/sources.list" -o Dir::Etc::sourceparts=-
     -o "Dir::State::Lists=$WORK/apt/lists" -o "Dir::Cache=$WORK/apt/cache" -o Debug::NoLocking=1 -o APT::Sandbox::User=root)
"${APT[@]}" update
(cd "$WORK" && "${APT[@]}" source --only-source "libpng1.6=$LIBPNG_VERSION" "libjpeg-turbo=$LIBJPEG_VERSION" >/dev/null)

# cmake_build NAME SOURCE_DIR [cmake args...]: configures, builds and installs into the prefix.
cmake_build()
{
    local name=$1 source=$2
    shift 2
    echo "Building $name for Windows..." >&2
    cmake -S "$source" -B "$WORK/build-$name" -DCMAKE_TOOLCHAIN_FILE="$TOOLCHAIN" -DCMAKE_BUILD_TYPE=Release \
          -DCMAKE_INSTALL_PREFIX="$PREFIX" -DQ7X_WINDOWS_DEPS="$PREFIX" "$@" >"$WORK/$name.log"
    cmake --build "$WORK/build-$name" --parallel "$(nproc)" >>"$WORK/$name.log"
    cmake --install "$WORK/build-$name" >>"$WORK/$name.log"
}

# zlib: Debian's MinGW build, linked by path (its import library would bring zlib1.dll in).
mkdir -p "$PREFIX/lib/pkgconfig"
cat > "$PREFIX/lib/pkgconfig/zlib.pc" <<PC
Name: zlib
Description: zlib compression library (static, from libz-mingw-w64-dev)
Version: $(dpkg-query -W -f='${Version}' libz-mingw-w64-dev | cut -d+ -f1)
Libs: $MINGW_ROOT/lib/libz.a
Cflags: -I$MINGW_ROOT/include
PC

cmake_build libpng "$(echo "$WORK"/libpng1.6-*/)" -DPNG_SHARED=OFF -DPNG_STATIC=ON -DPNG_TESTS=OFF \
    -DPNG_EXECUTABLES=OFF -DZLIB_LIBRARY="$MINGW_ROOT/lib/libz.a" -DZLIB_INCLUDE_DIR="$MINGW_ROOT/include"

jpeg_source=$(echo "$WORK"/libjpeg-turbo-*/)
cmake_build libjpeg "$jpeg_source" -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_SIMD=OFF -DWITH_TURBOJPEG=OFF
# JUCE's loader includes jpegint.h, which the library keeps to itself; and it includes jpeglib.h inside
# a namespace after the Windows headers, so jconfig.h must declare `boolean` (unsigned char, as the
# library was built with and as rpcndr.h has it) even when rpcndr.h came first.
cp "$jpeg_source/jpegint.h" "$PREFIX/include/"
sed -i '/^#ifndef __RPCNDR_H__/{n;n;/^#endif/d}' "$PREFIX/include/jconfig.h"
sed -i '/^#ifndef __RPCNDR_H__/d' "$PREFIX/include/jconfig.h"
grep -q '^typedef unsigned char boolean;' "$PREFIX/include/jconfig.h"

cmake_build googletest /usr/src/googletest -DBUILD_GMOCK=OFF -Dgtest_disable_pthreads=OFF

rm -rf "$WORK"
touch "$PREFIX/.complete"
echo "$PREFIX"
