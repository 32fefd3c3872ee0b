#!/usr/bin/env bash
# q7x-preset.exe under Wine, through Wine's ALSA MIDI driver, against q7x-simulator on the real
# sequencer: it lists the ports, sends and gets the preset byte for byte, also a reply that comes
# through snd-virmidi a few bytes at a time; and where it fails (no answer, a refused reply, a
# missing port) its status and its line on stderr are the Linux q7x-preset's, run beside it, once
# Wine's port names ("client - port") are read as the sequencer's. What does not touch MIDI is
# compared on the host (tests/windows): every Wine program takes long under emulation.
#   bash test_preset_device_windows.sh Q7X_PRESET Q7X_PRESET_EXE WORK_DIR
# (Q7X_SIMULATOR_PROGRAM and Wine's settings in the environment)
set -euo pipefail
source "$(dirname "$0")/device_lib.sh"
linux=$(readlink -f "$1") windows=$(readlink -f "$2") work=$3
rm -rf "$work"; mkdir -p "$work"; cd "$work"
trap 'guest_stop_simulator; kill "${writer:-}" 2>/dev/null || true' EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }
windows() { wine "$windows" "$@"; }

# wine_port NAME: the name Windows programs see the port NAME by, from the listing in ports.txt.
wine_port()
{
    sed -n "s/^output: \(.* - \)\?\($1\)\$/\1\2/p" ports.txt | head -n 1 | grep . \
        || fail "q7x-preset.exe does not list the port $1: $(tr '\n' ';' <ports.txt)"
}

# same_refusal WHAT EXPECTED_STATUS ARGS...: both programs fail alike: the status, and stderr once
# Wine's names of the Q7X and VirMIDI ports are put back to the sequencer's.
same_refusal()
{
    local what=$1 expected=$2 status=0; shift 2
    "$linux" "$@" 2>linux.err || status=$?
    [ "$status" -eq "$expected" ] || fail "$what: the Linux q7x-preset gave status $status ($(cat linux.err))"
    status=0
    windows "$@" 2>windows.err || status=$?
    [ "$status" -eq "$expected" ] || fail "$what: q7x-preset.exe gave status $status, expected $expected ($(cat windows.err))"
    sed -i -e "s/\"[^\"]* - \(Q7X\|VirMIDI 0-0\|Midi Through Port-0\)\"/\"\1\"/g" linux.err windows.err
    cmp -s linux.err windows.err || fail "$what: stderr differs from Linux: $(diff linux.err windows.err | cat -A)"
    echo "ok: $what: $(head -n 1 windows.err)"
}

"$linux" new sent.q7x
"$linux" set sent.q7x "Keybed Transpose=-5" "Pad 3 Mode=CC Momentary" "Pad 3 CC=20"

guest_start_simulator simulator.log --save device.q7x
windows ports >ports.txt
cat ports.txt
q7x=$(wine_port Q7X)
grep -qx "input: $q7x" ports.txt || fail "q7x-preset.exe lists the Q7X output but not its input"
windows send sent.q7x
for _ in $(seq 50); do [ -s device.q7x ] && break; sleep 0.1; done
cmp sent.q7x device.q7x || fail "the device holds other bytes than q7x-preset.exe sent"
windows get --in "$q7x" --out "$q7x" got.q7x
cmp sent.q7x got.q7x || fail "q7x-preset.exe get brought other bytes than the device holds"
echo "ok: send and get under Wine, byte for byte"
guest_stop_simulator

# The device's reply through snd-virmidi, 3 bytes at a time as a slow device writes them, again and
# again until the program has one: the sequencer hands it on in pieces, which come to the program
# in several input buffers.
virmidi=$(wine_port "VirMIDI 0-0")
cp sent.q7x reply.bin
printf '\x63' | dd of=reply.bin bs=1 seek=6 conv=notrunc status=none # the dump's command, made the reply's
# Each piece one write, by the shell itself: a reply must come whole within the program's wait.
mapfile -t pieces < <(od -An -v -tx1 reply.bin | tr -s ' \n' ' ' | sed 's/^ //; s/ $//' | tr ' ' '\n' | paste -d' ' - - - | sed -E 's/^/\\x/; s/ /\\x/g; s/(\\x)+$//')
(
    exec 3>/dev/snd/midiC0D0
    while :; do
        for piece in "${pieces[@]}"; do printf "$piece" >&3; done
        sleep 0.25
    done
) &
writer=$!
windows get --in "$virmidi" --out "$virmidi" split.q7x
kill "$writer" 2>/dev/null || true
cmp sent.q7x split.q7x || fail "a reply that came in pieces was not put together whole"
echo "ok: a reply written 3 bytes at a time, put together whole"

guest_start_simulator simulator-silent.log --reply none
same_refusal "a device that does not answer" 1 get --force got.q7x
guest_stop_simulator

guest_start_simulator simulator-refused.log --reply out-of-range
same_refusal "a reply out of range" 1 get --force got.q7x
guest_stop_simulator

cp got.q7x kept.q7x
same_refusal "a chosen port that is not there" 1 get --in "$q7x" --out "$q7x" --force got.q7x
cmp kept.q7x got.q7x || fail "a failed get changed the file"
echo "PASS"
