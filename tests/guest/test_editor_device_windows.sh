# The Windows editor under Wine on the real sequencer, with q7x-simulator as the Q7X: Device Setup
# lists the ports as Wine's MIDI driver names them ("client - port"), the Q7X ones are chosen, Get
# Preset brings the device's preset with "MIDI Get Sucess", and the file saved from there (through
# Windows' own save dialog) equals the device's preset.
#   bash test_editor_device_windows.sh Q7X_EDITOR_EXE ARTIFACT_DIR
# (Q7X_PRESET_EXE, Q7X_SIMULATOR_PROGRAM and Wine's settings in the environment)
exe=$(readlink -f "$1")
mkdir -p "$2"
# The scenarios start the editor as a program: this one starts it through Wine.
launcher=$(readlink -f "$2")/q7x-editor-wine
printf '#!/bin/sh\nexec wine %q "$@"\n' "$exe" >"$launcher"
chmod +x "$launcher"
set -- "$launcher" "$2"

source "$(dirname "$0")/../e2e/lib.sh"
source "$(dirname "$0")/device_lib.sh"
guest_slow_display
e2e_begin "$@"

device="$E2E_FILES/device.q7x"
e2e_write_preset "$device" 0=15
guest_start_simulator "$E2E_DIR/simulator.log" --preset "$device"
E2E_PIDS+=("$GUEST_SIMULATOR_PID")

# Device Setup lists what the Windows MIDI API lists, in its order: what q7x-preset.exe lists too.
wine "$Q7X_PRESET_EXE" ports >"$E2E_DIR/ports.txt" || e2e_fail "q7x-preset.exe ports failed"
guest_port_row()
{
    local direction=input
    [ "$2" = W ] && direction=output
    grep "^$direction: " "$E2E_DIR/ports.txt" | grep -n -- "- $1\$" | head -n 1 | cut -d: -f1 | awk '{ print $1 - 1 }' | grep .
}

e2e_start_editor
e2e_use_document "${E2E_TITLE_PREFIX}Untitled 1"
guest_choose_q7x_ports

e2e_use_document "${E2E_TITLE_PREFIX}Untitled 1"
guest_press_preset_button 0 guest_any_alert
e2e_wait_window "MIDI Get Sucess"
e2e_shot get-success
e2e_answer "MIDI Get Sucess" Return

e2e_use_document "${E2E_TITLE_PREFIX}Untitled 1"
copy="$E2E_FILES/received.q7x"
e2e_click_preset_button 3
e2e_wait_window "Select Filename to save"
e2e_activate "$E2E_WIN"
e2e_key ctrl+a
e2e_type "$(winepath -w "$copy")"
e2e_shot chooser-typed
e2e_key Return
e2e_wait_file "$copy"
cmp "$device" "$copy" || e2e_fail "the saved file differs from the device's preset"
