# The editor on the real sequencer, with q7x-simulator as the Q7X: Device Setup lists the "Q7X"
# ports, they are chosen, Send Preset stores the preset in the device, Get Preset brings it into
# another window with "MIDI Get Sucess", and the file saved from there equals the device's preset.
source "$(dirname "$0")/../e2e/lib.sh"
source "$(dirname "$0")/device_lib.sh"
guest_slow_display
e2e_begin "$@"

# The preset to send: Keybed Transpose +3.
e2e_write_preset "$E2E_FILES/sent.q7x" 0=15
device="$E2E_FILES/device.q7x"
guest_start_simulator "$E2E_DIR/simulator.log" --save "$device"
E2E_PIDS+=("$GUEST_SIMULATOR_PID")

E2E_CWD=$E2E_FILES e2e_start_editor sent.q7x
e2e_use_document "${E2E_TITLE_PREFIX}sent"
guest_choose_q7x_ports

e2e_use_document "${E2E_TITLE_PREFIX}sent"
guest_press_preset_button 1 test -s "$device"
e2e_wait_file "$device"
cmp "$E2E_FILES/sent.q7x" "$device" || e2e_fail "the device holds other bytes than were sent"
e2e_no_window "No MIDI Device selected." || e2e_fail "Send Preset said no device was selected"

e2e_key ctrl+n
e2e_use_document "${E2E_TITLE_PREFIX}Untitled 2"
guest_press_preset_button 0 guest_any_alert
e2e_wait_window "MIDI Get Sucess"
e2e_shot get-success
e2e_answer "MIDI Get Sucess" Return

e2e_use_document "${E2E_TITLE_PREFIX}Untitled 2"
copy="$E2E_FILES/received.q7x"
e2e_click_preset_button 3
e2e_choose_file "Select Filename to save" "$copy"
e2e_wait_gone "Select Filename to save"
e2e_wait_file "$copy"
cmp "$device" "$copy" || e2e_fail "the saved file differs from the device's preset"
