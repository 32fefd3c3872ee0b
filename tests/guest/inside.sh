#!/usr/bin/env bash
# Runs inside the guest kernel (see run_guest.sh), against its real ALSA sequencer: the system MIDI
# backend's tests, q7x-preset send/get and the editor's end-to-end scenarios with q7x-simulator.
#   bash inside.sh BUILD_DIR RESULTS_DIR [--without-editor | SCENARIO...]
# SCENARIO names one of the editor's scenarios (editor_device for test_editor_device.sh); without
# any, all of them run. They need the most time under emulation.
set -uo pipefail
here=$(dirname "$(readlink -f "$0")")
source "$here/device_lib.sh"
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
if [ ${#scenarios[@]} -gt 0 ]; then
    guest_warm_up_display
    for scenario in "${scenarios[@]}"; do
        check "$(basename "$scenario" .sh)" bash "$scenario" "$build/q7x-editor" "$results/e2e"
    done
fi

[ -z "$skipped" ] || sed 's/^/guest: skipped /' <<<"$skipped"
echo "guest: $passed passed, $(grep -c . <<<"$skipped") tests skipped, ${#failed[@]} failed${failed[*]:+: ${failed[*]}}"
[ ${#failed[@]} -eq 0 ]
