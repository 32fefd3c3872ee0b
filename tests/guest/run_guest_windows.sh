#!/usr/bin/env bash
# The Windows programs on the guest's real ALSA sequencer, under Wine (see inside_windows.sh):
#   bash run_guest_windows.sh BUILD_DIR WINDOWS_BUILD_DIR RESULTS [--with-editor]
# BUILD_DIR holds the Linux q7x-simulator and q7x-preset, WINDOWS_BUILD_DIR the Windows programs
# (tools/windows/build.sh, which also makes Wine's prefix). The guest sees the host's / read-only:
# it gets a copy of the prefix in RESULTS, made of hard links where it can (it is large), with the
# files Wine rewrites in place copied.
set -euo pipefail
here=$(dirname "$(readlink -f "$0")")
build=$1 windows_build=$2 results=$3
shift 3
prefix=${Q7X_WINDOWS_CACHE:-$HOME/.cache/q7x-windows}/wine-prefix

[ -f "$prefix/system.reg" ] || { echo "guest: no Wine prefix at $prefix: tools/windows/build.sh makes it" >&2; exit 1; }
mkdir -p "$results"
rm -rf "$results/wine-prefix"
cp -al "$prefix" "$results/wine-prefix" 2>/dev/null || cp -a "$prefix" "$results/wine-prefix"
for file in "$prefix"/*.reg "$prefix/.update-timestamp"; do
    cp --remove-destination "$file" "$results/wine-prefix/"
done

status=0
bash "$here/run_guest.sh" "$results" "$here/inside_windows.sh" "$build" "$windows_build" /tmp/results "$@" || status=$?
rm -rf "$results/wine-prefix"
exit $status
