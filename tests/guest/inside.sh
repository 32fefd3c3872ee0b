#!/usr/bin/env bash
# Runs inside the guest kernel (see run_guest.sh), against its real ALSA sequencer: the system MIDI
# backend's tests, q7x-preset send/get and the editor's end-to-end scenarios with q7x-simulator.
#   bash inside.sh BUILD_DIR RESULTS_DIR [--without-editor | SCENARIO...]
# SCENARIO names one of the editor's scenarios (editor_device for test_editor_device.sh); without
# any, all of them run. They need the most time under emulation.
set -uo pipefail
here=$(dirname "$(readlink -f "$0")")
build=$(readlink -f "$1")
results=$2
shift 2
scenarios=()
if [ "${1:-}" = --without-editor ]; then
    :
elif [ $# -gt 0 ]; then
    for name; do scenarios+=("$here/test_$name.sh"); done
else
    scenarios=("$here"/test_editor_*.sh)
fi
export Q7X_SIMULATOR_PROGRAM=$build/simulator/q7x-simulator
passed=0 failed=()

# check NAME COMMAND...: runs one check and counts it.
check()
{
    local name=$1; shift
    echo "== guest: $name"
    if "$@"; then
        passed=$((passed + 1))
    else
        failed+=("$name")
    fi
}

[ -e /dev/snd/seq ] || { echo "guest: no /dev/snd/seq: the sequencer's modules did not load"; exit 1; }
check "system MIDI backend" "$build/tests/q7x_guest_tests" --gtest_output="xml:$results/system-midi.xml"
# A test that skipped passed above: named here, so that no one takes it for run.
skipped=$(bash "$here/../../.ci/skipped-tests" "$results/system-midi.xml")
check "q7x-preset send and get" bash "$here/test_preset_device.sh" "$build/cli/q7x-preset" "$results/preset-device"
# The first X server and window manager of a boot read their files over 9p and compile the keymap
# under emulation, which can outlast the scenarios' start-up bounds: a pair started and ended here
# first makes them quick.
warm_up_display()
{
    Xvfb :9 -screen 0 640x480x24 -nolisten tcp >/dev/null 2>&1 &
    local xvfb=$! n
    for n in $(seq 600); do DISPLAY=:9 xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
    DISPLAY=:9 openbox --sm-disable >/dev/null 2>&1 &
    for n in $(seq 600); do DISPLAY=:9 xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id" && break; sleep 0.1; done
    kill $! "$xvfb"
    wait $! "$xvfb" 2>/dev/null
}
if [ ${#scenarios[@]} -gt 0 ]; then
    warm_up_display
    for scenario in "${scenarios[@]}"; do
        check "$(basename "$scenario" .sh)" bash "$scenario" "$build/q7x-editor" "$results/e2e"
    done
fi

[ -z "$skipped" ] || sed 's/^/guest: skipped /' <<<"$skipped"
echo "guest: $passed passed, $(grep -c . <<<"$skipped") tests skipped, ${#failed[@]} failed${failed[*]:+: ${failed[*]}}"
[ ${#failed[@]} -eq 0 ]
