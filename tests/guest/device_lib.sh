# Shared by the guest's scenarios: q7x-simulator as a process of the scenario, and where its
# ports stand in the lists the sequencer gives.

# guest_start_simulator LOG [OPTION...]: starts q7x-simulator (Q7X_SIMULATOR_PROGRAM) and waits
# for its "ready" line; its pid is in GUEST_SIMULATOR_PID.
guest_start_simulator()
{
    local log=$1; shift
    "$Q7X_SIMULATOR_PROGRAM" "$@" >"$log" 2>&1 &
    GUEST_SIMULATOR_PID=$!
    local n
    for n in $(seq 100); do
        grep -q '^ready$' "$log" && return 0
        kill -0 "$GUEST_SIMULATOR_PID" 2>/dev/null || break
        sleep 0.1
    done
    echo "q7x-simulator did not start: $(cat "$log")" >&2
    return 1
}

# guest_stop_simulator: like pulling the cable; waits until the process is gone.
guest_stop_simulator()
{
    kill -KILL "$GUEST_SIMULATOR_PID" 2>/dev/null || true
    wait "$GUEST_SIMULATOR_PID" 2>/dev/null || true
}

# guest_port_row NAME CAPABILITY: the row of the port NAME among the ports other programs can
# read from (CAPABILITY R: the inputs) or write to (W: the outputs), in the sequencer's order,
# which is the order of the editor's device lists; client 0 (the system's) is not listed.
guest_port_row()
{
    awk -v name="\"$1\"" -v cap="$2" '
        /^Client/ { client = $2 + 0 }
        /^  Port/ && client != 0 {
            flags = $NF; quoted = $0
            sub(/^[^"]*/, "", quoted); sub(/ \([^)]*\)$/, "", quoted)
            if ((cap == "R" && substr(flags, 2, 1) == "R") || (cap == "W" && substr(flags, 3, 1) == "W")) {
                if (quoted == name) { print row; found = 1; exit }
                row++
            }
        }
        END { if (! found) exit 1 }' row=0 /proc/asound/seq/clients
}
