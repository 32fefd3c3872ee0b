#!/usr/bin/env bash
# A second launch hands its file (given relative to its own folder) to the running
# editor and exits at once; a socket left by a killed editor does not stop a new start.
# Usage: test_single_instance.sh <q7x-editor> <artifacts folder>
set -euo pipefail

editor=$1
artifacts=$2/single_instance
mkdir -p "$artifacts"

work=$(mktemp -d)
runtime=$(mktemp -d)
chmod 700 "$runtime"
# The instance socket lives here, so this check meets no other editor of this user.
export XDG_RUNTIME_DIR=$runtime
pids=()

cleanup()
{
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    for pid in "${pids[@]}"; do wait "$pid" 2>/dev/null || true; done
    rm -rf "$work" "$runtime"
}
trap cleanup EXIT

fail()
{
    echo "FAIL: $*" >&2
    import -window root "$artifacts/failure.png" 2>/dev/null || true
    exit 1
}

# Waits until the editor with process id $1 shows a window with exactly the title $2
# (other tests may show editor windows on the same display).
wait_for_window()
{
    for _ in $(seq 200); do
        xdotool search --pid "$1" --name "^$2\$" >/dev/null 2>&1 && return 0
        sleep 0.05
    done
    return 1
}

# The built-in default preset as a file.
xxd -r -p > "$work/My Preset.q7x" <<'HEX'
f000000e004161005d0c040003000001007f40007f000014007f000015007f000016007f000017007f0000310000090029000009002a000009002e000009002400000900250000090026000009002700000900307f000000317f000000327f000000337f0000f7
HEX

"$editor" >"$artifacts/first.log" 2>&1 &
pids+=($!)
first=$!
wait_for_window "$first" "Pelmar Q7X Editor - Untitled 1" || fail "the first editor shows no window"

# The second launch, from the preset's folder, with a relative path holding a space.
( cd "$work" && timeout 5 "$editor" "My Preset.q7x" >"$artifacts/second.log" 2>&1 ) \
    || fail "the second launch did not exit at once with success (status $?)"

wait_for_window "$first" "Pelmar Q7X Editor - My Preset" || fail "the running editor did not open the handed-over file"
wait_for_window "$first" "Pelmar Q7X Editor - Untitled 1" || fail "the document being edited was replaced"
kill -0 "$first" 2>/dev/null || fail "the first editor is gone"

# A killed editor leaves its socket behind; the next start must still come up.
kill -9 "$first"
wait "$first" 2>/dev/null || true
[ -S "$runtime/q7x-editor-$(id -un).socket" ] || fail "expected the killed editor's socket to remain"

( cd "$work" && exec "$editor" "My Preset.q7x" >"$artifacts/third.log" 2>&1 ) &
pids+=($!)
wait_for_window "$!" "Pelmar Q7X Editor - My Preset" || fail "no editor started after a killed one"

echo "PASS"
