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
    [ -n "${GUEST_SIMULATOR_PID:-}" ] || return 0
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

# Software emulation runs the editor many times slower than a real machine: a smaller screen makes
# screenshots cheaper, and every wait is longer.
guest_slow_display()
{
    E2E_SCREEN=1280x800
    # lib.sh split the default screen into these when it was read.
    E2E_SCREEN_W=1280
    E2E_SCREEN_H=800
    E2E_WAIT=90
    # The first openbox of a loaded guest has been seen to take over 10 s to manage the display.
    E2E_WM_WAIT=60
    E2E_SCENARIO_LIMIT=900
}

# guest_choose_q7x_ports: opens Device Setup from the Options menu of the current document (by
# mouse, which waits for each menu to open: the bar reads File, Edit, Options, and Options' title
# stands at x 114-169), chooses the "Q7X" rows and presses OK. Rows are 22 pixels high, the first at
# y 79 (inputs) and 250 (outputs).
guest_choose_q7x_ports()
{
    local input_row output_row setup
    input_row=$(guest_port_row Q7X R) && output_row=$(guest_port_row Q7X W) || e2e_fail "the sequencer lists no Q7X port"
    guest_open_device_setup
    setup=$E2E_WIN
    # Its clicks must land in the dialog, not in a document raised above it meanwhile.
    xdotool windowactivate "$setup" >/dev/null 2>&1 || true
    e2e_wait_until_or_timeout 20 e2e_is_active "$setup" || true
    e2e_click_window "$setup" 115 $((79 + 22 * input_row))
    e2e_click_window "$setup" 115 $((250 + 22 * output_row))
    # OK; under emulation a click can be lost while the dialog is still busy, and a person would
    # click again, as this does once. A loaded machine can take over half a minute to close the
    # dialog: a second click on a dialog that closes meanwhile would land in the document (on its
    # picture, choosing another tab), so it waits long, and looks again just before clicking.
    e2e_click_window "$setup" 52 397
    if ! e2e_wait_until_or_timeout 75 e2e_no_window "Pelmar Q7X Editor Device Setup" \
        && e2e_find_window "Pelmar Q7X Editor Device Setup"; then
        e2e_log "note: Device Setup still open 75 s after OK; clicking OK again"
        e2e_click_window "$setup" 52 397
    fi
    e2e_wait_gone "Pelmar Q7X Editor Device Setup"
}

# guest_open_device_setup: Options, then its first item (see guest_open_from_menu).
guest_open_device_setup()
{
    guest_open_from_menu 141 237 "Pelmar Q7X Editor Device Setup" Down Return
}

# guest_open_from_menu X NEIGHBOUR_X TITLE KEY...: clicks the menu title at x X of the current
# document's menu bar, presses the KEYs and waits for the window TITLE. Under emulation the menu can
# stay shut after its title lit up, or a key can come before the menu takes keys; a person would close
# what is open with Escape and try again, as this does, up to three times. A menu bar that lit a title
# without opening its menu takes no further click (it thinks a menu is open) but opens the menu of
# a title the pointer moves onto: so a new try moves over the title at NEIGHBOUR_X and back, and
# clicks only when that opened nothing. Each failed try leaves a screenshot. The window's id goes to
# E2E_WIN. The document is not activated first: under emulation the window manager can carry that
# out late, raising the document above the window just opened.
guest_open_from_menu()
{
    local x=$1 neighbour=$2 title=$3 attempt y=$((E2E_MENU_H / 2))
    shift 3
    for attempt in 1 2 3; do
        if [ "$attempt" -gt 1 ]; then
            e2e_geometry "$E2E_DOC"
            e2e_move_abs $((E2E_X + neighbour)) $((E2E_Y + y))
            sleep 1
            e2e_move_abs $((E2E_X + x)) $((E2E_Y + y))
        fi
        if [ "$attempt" -eq 1 ] || ! e2e_wait_until_or_timeout 5 e2e_find_window menu; then
            e2e_click_window "$E2E_DOC" "$x" "$y"
        fi
        # A menu has been seen to open only after half a minute on a loaded machine.
        if e2e_wait_until_or_timeout 120 e2e_find_window menu; then
            e2e_key "$@"
            e2e_wait_until_or_timeout 60 e2e_find_window "$title" && return 0
        fi
        e2e_find_window "$title" && return 0
        e2e_shot "$(tr -c 'A-Za-z0-9\n' - <<<"$title" | tr -s - | sed 's/-$//')-attempt-$attempt"
        e2e_log "note: $title did not open (attempt $attempt); Escape and again"
        e2e_key Escape
        sleep 2
    done
    e2e_fail "$title did not open after three attempts"
}

# guest_press_preset_button BUTTON CHECK...: clicks a button of the Main tab until CHECK holds. Under
# emulation a click can be lost while the editor is still busy; a person would click again, and so
# does this, once, after 60 s without a result.
guest_press_preset_button()
{
    local button=$1; shift
    e2e_click_preset_button "$button"
    e2e_wait_until_or_timeout 60 "$@" && return 0
    e2e_log "note: no result 60 s after clicking button $button; clicking it again"
    e2e_click_preset_button "$button"
}

# guest_any_alert: true while one of Get Preset's alerts is shown.
guest_any_alert()
{
    local title
    for title in "MIDI Get Sucess" "No MIDI Device selected." "MIDI Get Preset Unsuccessful" "Invalid MIDI Message"; do
        e2e_find_window "$title" && return 0
    done
    return 1
}

# guest_warm_up_display: the first X server and window manager of a boot read their files over 9p
# and compile the keymap under emulation, which can outlast the scenarios' start-up bounds: a pair
# started and ended first makes them quick.
guest_warm_up_display()
{
    Xvfb :9 -screen 0 640x480x24 -nolisten tcp >/dev/null 2>&1 &
    local xvfb=$! n
    for n in $(seq 600); do DISPLAY=:9 xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
    DISPLAY=:9 openbox --sm-disable >/dev/null 2>&1 &
    for n in $(seq 600); do DISPLAY=:9 xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id" && break; sleep 0.1; done
    kill $! "$xvfb"
    wait $! "$xvfb" 2>/dev/null
}
