# The editor on the real sequencer, with q7x-simulator as the Q7X: Device Setup lists the "Q7X"
# ports, they are chosen, Send Preset stores the preset in the device, Get Preset brings it into a
# new window with "MIDI Get Sucess", and the file saved from there equals the device's preset.
source "$(dirname "$0")/../e2e/lib.sh"
source "$(dirname "$0")/device_lib.sh"
e2e_begin "$@"

device="$E2E_FILES/device.q7x"
guest_start_simulator "$E2E_DIR/simulator.log" --save "$device"
E2E_PIDS+=("$GUEST_SIMULATOR_PID")
input_row=$(guest_port_row Q7X R) && output_row=$(guest_port_row Q7X W) || e2e_fail "the sequencer lists no Q7X port"

e2e_start_editor
e2e_use_document "${E2E_TITLE_PREFIX}Untitled 1"
# Values to send: Keybed Transpose +3.
e2e_click_tab 4
e2e_set_number 0 1 3
e2e_click_tab 0

# Device Setup: rows are 22 pixels high, the first at y 79 (inputs) and 250 (outputs).
e2e_menu Options 1
e2e_wait_window "Pelmar Q7X Editor Device Setup"
setup=$E2E_WIN
e2e_click_window "$setup" 115 $((79 + 22 * input_row))
e2e_click_window "$setup" 115 $((250 + 22 * output_row))
e2e_shot device-setup
e2e_click_window "$setup" 52 397
e2e_wait_gone "Pelmar Q7X Editor Device Setup"

e2e_use_document "${E2E_TITLE_PREFIX}Untitled 1"
e2e_menu File 6 2
e2e_wait_file "$device"
e2e_no_window "No MIDI Device selected." || e2e_fail "Send Preset said no device was selected"

e2e_key ctrl+n
e2e_use_document "${E2E_TITLE_PREFIX}Untitled 2"
e2e_click_preset_button 0
e2e_wait_window "MIDI Get Sucess"
e2e_shot get-success
e2e_answer "MIDI Get Sucess" Return

e2e_use_document "${E2E_TITLE_PREFIX}Untitled 2"
copy="$E2E_FILES/received.q7x"
e2e_menu File 5
e2e_choose_file "Select Filename to save" "$copy"
e2e_wait_gone "Select Filename to save"
e2e_wait_file "$copy"
cmp "$device" "$copy" || e2e_fail "the saved file differs from the device's preset"
e2e_expect_file_bytes "$copy" 0=15
