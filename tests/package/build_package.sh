#!/usr/bin/env bash
# Makes the Debian package of the tests' own Release build (no second build of the programs) and
# lays it out in WORK/build as a release build folder has it: the package, and the program with the
# guide in docs/ beside it.
#   bash build_package.sh <source-dir> <build-dir> <work-dir>
set -euo pipefail
source "$1/tools/common.sh"
q7x_install_missing "${Q7X_RELEASE_PACKAGES[@]}"
rm -rf "$3"
mkdir -p "$3/build/docs"
rm -f "$2"/q7x-editor_*.deb
cmake --build "$2" --target q7x_package >"$3/build.log" 2>&1 || { tail -n 40 "$3/build.log"; exit 1; }
cp "$2"/q7x-editor_*.deb "$2/q7x-editor" "$3/build/"
cp "$2/packaging/guide/"*.pdf "$3/build/docs/"
ls "$3"/build/q7x-editor_*.deb
