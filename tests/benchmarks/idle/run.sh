#!/usr/bin/env bash
# Idle benchmark: how often the editor's threads wake up, and how much CPU they use, while nothing
# happens, beside floor-text (an empty JUCE window with a menu bar and 177 labels, from the team's
# shared benchmarks beside the repository: ../shared/bench, or Q7X_FLOORS). Each case waits until
# the program has settled, then counts over SECONDS the voluntary context switches of each of its
# threads (/proc/PID/task/*/status: a thread that sleeps and is woken counts one) and the CPU time
# of all of them (/proc/PID/task/*/schedstat), and prints wake-ups per second per thread name and
# in total, and the share of one core.
#
#   tests/benchmarks/idle/run.sh [SECONDS [EDITOR]]
#
# SECONDS defaults to 10; EDITOR to build/q7x-editor. Cases: one window with the pointer away from
# it and resting over it; five windows; Device Setup open; the simulated Q7X chosen for input and
# output (its ports then watched once a second). Runs on an Xvfb + openbox of its own; screenshots
# and logs go to build/benchmarks/idle/.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
seconds=${1:-10}
repo=$(cd "$here/../../.." && pwd)
editor=${2:-$repo/build/q7x-editor}
floors=${Q7X_FLOORS:-$repo/../shared/bench}
[ -x "$editor" ] || { echo "Build first: ./run-tests (or cmake --build build)" >&2; exit 2; }
[ -d "$floors/floor-text" ] || { echo "No floor programs in $floors (set Q7X_FLOORS)" >&2; exit 2; }

floor_build="$repo/build/bench/floor-text"
compiler=$(sed -n 's/^CMAKE_CXX_COMPILER:[A-Z]*=//p' "$repo/build/CMakeCache.txt")
cmake -S "$floors/floor-text" -B "$floor_build" -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_CXX_COMPILER="$compiler" -DCMAKE_CXX_COMPILER_LAUNCHER=ccache >/dev/null
cmake --build "$floor_build" --parallel "$(nproc)" >/dev/null 2>&1

E2E_SCENARIO_LIMIT=$((60 + 12 * (seconds + 8)))
source "$repo/tests/e2e/lib.sh"
e2e_begin "$editor" "$repo/build/benchmarks"
results="$E2E_DIR/results"
mkdir -p "$results"

settle=4 # long enough for the framework to drop a window's drawing buffer (3 s after its last paint)

# snapshot PID: one line per thread: "TID NAME VOLUNTARY_SWITCHES CPU_NS".
snapshot()
{
    local task name
    for task in /proc/"$1"/task/*; do
        name=$(tr ' ' _ <"$task/comm" 2>/dev/null) || continue
        printf '%s %s %s %s\n' "${task##*/}" "$name" \
            "$(awk '$1 == "voluntary_ctxt_switches:" {print $2}' "$task/status" 2>/dev/null || echo 0)" \
            "$(cut -d' ' -f1 "$task/schedstat" 2>/dev/null || echo 0)"
    done
}

# measure CASE PID: waits until PID has settled, then writes its threads' wake-ups per second and
# its CPU share over the window to $results/CASE, one "NAME WAKEUPS_PER_S" line per thread name
# and a last "total WAKEUPS_PER_S CPU_PERCENT" line.
measure()
{
    local name=$1 pid=$2
    e2e_park_mouse_unless_hovering
    sleep "$settle"
    snapshot "$pid" >"$results/$name.before"
    sleep "$seconds"
    snapshot "$pid" >"$results/$name.after"
    # Threads that exist at both ends count; one that came and went in between is left out.
    awk -v s="$seconds" '
        NR == FNR { wake[$1] = $3; cpu[$1] = $4; next }
        ($1 in wake) { per[$2] += $3 - wake[$1]; total += $3 - wake[$1]; ns += $4 - cpu[$1] }
        END {
            for (n in per) printf "%s %.1f\n", n, per[n] / s
            printf "total %.1f %.3f\n", total / s, ns / (s * 1e7)
        }' "$results/$name.before" "$results/$name.after" | sort -k2,2nr >"$results/$name"
    e2e_log "$name: $(grep "^total" "$results/$name")"
}

hovering=no
e2e_park_mouse_unless_hovering()
{
    [ "$hovering" = yes ] || e2e_park_mouse
}

# --- floor-text, one window
env HOME="$E2E_HOME" "$floor_build/floor" >"$E2E_DIR/floor.log" 2>&1 &
floor=$!
E2E_PIDS+=($floor)
e2e_wait_window "Floor - Untitled 1"
measure floor-away "$floor"
e2e_geometry "$E2E_WIN"
e2e_move_abs $((E2E_X + 600)) $((E2E_Y + 400))
hovering=yes
measure floor-over "$floor"
hovering=no
kill "$floor"
e2e_wait_exit "$floor" 10

# --- the editor: one window, then five
E2E_ENV=(Q7X_SIMULATOR=1)
e2e_start_editor
e2e_use_document "${E2E_TITLE_PREFIX}Untitled 1"
measure editor-away "$E2E_EDITOR_PID"
e2e_move_abs $((E2E_CX + 600)) $((E2E_CY + 400))
hovering=yes
measure editor-over "$E2E_EDITOR_PID"
hovering=no
e2e_shot one-window

# Device Setup over the first window (Options > Device Setup), left open.
e2e_menu Options 1
e2e_wait_window "Pelmar Q7X Editor Device Setup"
setup=$E2E_WIN
measure editor-setup "$E2E_EDITOR_PID"
e2e_shot device-setup

# The simulated Q7X, the first row of both lists, chosen and applied: its ports are watched.
e2e_click_window "$setup" 115 79
e2e_click_window "$setup" 115 250
e2e_click_window "$setup" 52 397
e2e_wait_gone "Pelmar Q7X Editor Device Setup"
measure editor-port "$E2E_EDITOR_PID"

for n in 2 3 4 5; do
    e2e_use_document "${E2E_TITLE_PREFIX}Untitled $((n - 1))"
    e2e_key ctrl+n
    e2e_wait_window "${E2E_TITLE_PREFIX}Untitled $n"
done
measure editor-five "$E2E_EDITOR_PID"
e2e_shot five-windows

# --- the table
total() { awk '$1 == "total" {print $2}' "$results/$1"; }
cpu() { awk '$1 == "total" {print $3}' "$results/$1"; }
threads() { awk '$1 != "total" && $2 >= 0.5 {printf "%s%s %s", sep, $1, $2; sep = ", "}' "$results/$1"; }

{
    printf '\nIdle wake-ups per second and CPU share of one core, over %s s after %s s of rest\n\n' "$seconds" "$settle"
    printf '%-34s %12s %8s   %s\n' case wake-ups/s "CPU %" "threads (wake-ups/s)"
    row() { printf '%-34s %12s %8s   %s\n' "$1" "$(total "$2")" "$(cpu "$2")" "$(threads "$2")"; }
    row "floor-text, pointer away" floor-away
    row "editor, one window, pointer away" editor-away
    row "floor-text, pointer over it" floor-over
    row "editor, one window, pointer over" editor-over
    row "editor, Device Setup open" editor-setup
    row "editor, simulated Q7X chosen" editor-port
    row "editor, five windows, Q7X chosen" editor-five
} | tee "$results/table.txt"
