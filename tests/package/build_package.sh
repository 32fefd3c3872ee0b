#!/usr/bin/env bash
# Builds the Debian package from scratch in WORK/build: a new build folder, the release option on.
#   bash build_package.sh <source-dir> <work-dir>
set -euo pipefail
source "$1/tools/common.sh"
q7x_install_missing "${Q7X_RELEASE_PACKAGES[@]}"
rm -rf "$2"
mkdir -p "$2"
cmake -S "$1" -B "$2/build" -DCMAKE_BUILD_TYPE=Release -DQ7X_RELEASE=ON -DBUILD_TESTING=OFF >/dev/null
cmake --build "$2/build" --target package --parallel "$(nproc)" >"$2/build.log" 2>&1 \
    || { tail -n 40 "$2/build.log"; exit 1; }
ls "$2"/build/q7x-editor_*.deb
