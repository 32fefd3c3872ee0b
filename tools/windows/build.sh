#!/bin/bash
# Cross-builds the editor, q7x-preset and the test programs for Windows with MinGW-w64, and runs
# the tests under Wine on a headless X display:
#
#   tools/windows/build.sh [LABEL...]     the CTest labels to run (default: unit); "none" runs none
#
# The build goes to build-windows/ (or $Q7X_WINDOWS_BUILD); the libraries built for Windows and the
# Wine prefix are kept under ~/.cache/q7x-windows (or $Q7X_WINDOWS_CACHE) and reused.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../common.sh"

labels=("${@:-unit}")
started=$SECONDS
cache=${Q7X_WINDOWS_CACHE:-$HOME/.cache/q7x-windows}
build=${Q7X_WINDOWS_BUILD:-$Q7X_ROOT/build-windows}

q7x_install_missing "${Q7X_WINDOWS_PACKAGES[@]}"
deps=$("$Q7X_ROOT/tools/windows/build-deps.sh")
echo "Windows libraries: $deps ($((SECONDS - started)) s)"

# q7x-preset.exe is compared with the Linux one of a Linux build, when there is one (./run-editor's).
linux_cli=${Q7X_LINUX_BUILD:-$Q7X_ROOT/build}/cli/q7x-preset
[ -x "$linux_cli" ] || linux_cli=""
# A unity build, as the sanitizer builds: the cross-compiler reads the framework's headers once per
# batch of sources instead of once per source, which halves a build without a compiler cache.
cmake -S "$Q7X_ROOT" -B "$build" -DCMAKE_BUILD_TYPE=Release -DCMAKE_UNITY_BUILD=ON -DQ7X_LINUX_Q7X_PRESET="$linux_cli" \
      -DCMAKE_TOOLCHAIN_FILE="$Q7X_ROOT/cmake/toolchains/mingw-w64.cmake" -DQ7X_WINDOWS_DEPS="$deps" >/dev/null
targets=(q7x-editor q7x-preset q7x_unit_tests)
[[ " ${labels[*]} " == *" gui "* ]] && targets+=(q7x_app_tests)
cmake --build "$build" --parallel "$(nproc)" --target "${targets[@]}" >"$build/build.log" 2>&1 \
    || { tail -n 40 "$build/build.log"; exit 1; }
! grep -n 'warning:' "$build/build.log" || { echo "The Windows build has warnings"; exit 1; }
echo "Built $(cd "$build" && ls q7x-editor.exe cli/q7x-preset.exe | tr '\n' ' ')($((SECONDS - started)) s)"

# Wine: its own prefix, quiet, and without the Mono and Gecko installers a fresh prefix would ask for.
export WINEPREFIX=$cache/wine-prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
q7x_ensure_display
if [ ! -f "$WINEPREFIX/system.reg" ]; then
    mkdir -p "$WINEPREFIX"
    # Without 32-bit Wine it says it cannot start syswow64's rundll32: nothing here needs that.
    wineboot --init >"$cache/wineboot.log" 2>&1
    wineserver -w
    echo "Wine prefix made ($((SECONDS - started)) s)"
fi

[ "${labels[0]}" = none ] && exit 0

# One Wine server for all the test programs, with Wine's own helper processes started once, here:
# started by a test program they would hold its output open until the server ends, and each test
# would wait for that (or its listing would time out).
wineserver -p
wine cmd /c exit </dev/null >/dev/null 2>&1
status=0
for label in "${labels[@]}"; do
    ctest --test-dir "$build" -L "$label" --parallel "$(nproc)" --timeout 300 --output-on-failure --output-junit "junit-$label.xml" \
        | tee "$build/ctest-$label.log" | grep -E 'tests passed|The following tests|\((Failed|Skipped|Not Run|Timeout)\)$' \
        || true
    grep -q '100% tests passed' "$build/ctest-$label.log" || status=1
done
wineserver -k 2>/dev/null || true
echo "Windows build and tests under Wine: $((SECONDS - started)) s, $([ $status = 0 ] && echo passed || echo FAILED)"
exit $status
