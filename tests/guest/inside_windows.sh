#!/usr/bin/env bash
# Runs inside the guest kernel (see run_guest.sh): the Windows programs under Wine, whose ALSA MIDI
# driver gives them the real sequencer's ports, with q7x-simulator as the Q7X.
#   bash inside_windows.sh BUILD_DIR WINDOWS_BUILD_DIR RESULTS_DIR [--with-editor]
# Wine's prefix is RESULTS_DIR/wine-prefix, made on the host (the guest's / is read-only). The
# editor's scenario runs only when asked: under emulation the Windows editor has not yet shown its
# window within the scenarios' bounds (90 s).
set -uo pipefail
here=$(dirname "$(readlink -f "$0")")
source "$here/device_lib.sh"
build=$(readlink -f "$1") windows_build=$(readlink -f "$2") results=$3
with_editor=""
[ "${4:-}" = --with-editor ] && with_editor=yes
export Q7X_SIMULATOR_PROGRAM=$build/simulator/q7x-simulator Q7X_PRESET_EXE=$windows_build/cli/q7x-preset.exe
export WINEPREFIX=$results/wine-prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
passed=0 failed=()

check()
{
    local name=$1 started=$SECONDS; shift
    echo "== guest: $name"
    if "$@"; then
        passed=$((passed + 1))
    else
        failed+=("$name")
    fi
    echo "guest: $name took $((SECONDS - started)) s"
}

[ -e /dev/snd/seq ] || { echo "guest: no /dev/snd/seq: the sequencer's modules did not load"; exit 1; }
[ -f "$WINEPREFIX/system.reg" ] || { echo "guest: no Wine prefix at $WINEPREFIX"; exit 1; }
# One Wine server for every program, started once with Wine's helper processes, as on the host.
started=$SECONDS
wineserver -p
wine cmd /c exit </dev/null >/dev/null 2>&1
echo "guest: Wine started in $((SECONDS - started)) s"

check "q7x-preset.exe on the sequencer" bash "$here/test_preset_device_windows.sh" \
    "$build/cli/q7x-preset" "$Q7X_PRESET_EXE" "$results/preset-device-windows"
if [ -n "$with_editor" ]; then
    guest_warm_up_display
    check "the Windows editor on the sequencer" bash "$here/test_editor_device_windows.sh" \
        "$windows_build/q7x-editor.exe" "$results/e2e-windows"
fi

wineserver -k 2>/dev/null
echo "guest: $passed passed, ${#failed[@]} failed${failed[*]:+: ${failed[*]}}"
[ ${#failed[@]} -eq 0 ]
