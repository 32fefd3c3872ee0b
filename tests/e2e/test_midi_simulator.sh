# With the simulated Q7X: Get and Send Preset without devices chosen report "No MIDI Device
# selected."; after choosing "Q7X Simulator" for input and output in Device Setup, the preset sent
# from one window comes back into another with Get Preset, with the "MIDI Get Sucess" alert.
source "$(dirname "$0")/lib.sh"
e2e_begin "$@"

E2E_ENV=(Q7X_SIMULATOR=1)
e2e_start_editor
e2e_use_document "${E2E_TITLE_PREFIX}Untitled 1"

# No devices yet.
for button in 0 1; do
    e2e_click_preset_button "$button"
    e2e_answer "No MIDI Device selected." Return
    e2e_use_document "${E2E_TITLE_PREFIX}Untitled 1"
done

# Values to send: Keybed Transpose +3, Knob 4 in Aftertouch.
e2e_click_tab 4
e2e_set_number 0 1 3
e2e_click_tab 1
e2e_choose_mode 3 2 2
e2e_click_tab 0

# Device Setup (Options menu): the simulator is the only device here, the first row of each list.
[ -e /dev/snd/seq ] && e2e_log "note: this machine has system MIDI ports; the simulator is expected in the first row"
e2e_menu Options 1
e2e_wait_window "Pelmar Q7X Editor Device Setup"
setup=$E2E_WIN
e2e_geometry "$setup"
[ "$E2E_W" -eq 360 ] && [ "$E2E_H" -eq 425 ] || e2e_fail "Device Setup is ${E2E_W}x${E2E_H}, expected 360 x 425"
e2e_click_window "$setup" 115 79
e2e_click_window "$setup" 115 250
e2e_shot device-setup
e2e_geometry "$setup"
for y in 79 250; do
    seen=$(e2e_pixel "$E2E_SHOT" $((E2E_X + 300)) $((E2E_Y + y)))
    e2e_colour_near "$seen" FFFFFF 8 || e2e_fail "no device row selected at y $y of Device Setup (#$seen, screenshot $E2E_SHOT)"
done
e2e_click_window "$setup" 52 397
e2e_wait_gone "Pelmar Q7X Editor Device Setup"

# Send from Untitled 1 through File > Hardware > Send Preset; nothing to see, no alert.
e2e_use_document "${E2E_TITLE_PREFIX}Untitled 1"
e2e_menu File 6 2
# Get into a new window.
e2e_key ctrl+n
e2e_use_document "${E2E_TITLE_PREFIX}Untitled 2"
e2e_click_preset_button 0
e2e_wait_window "MIDI Get Sucess"
e2e_no_window "No MIDI Device selected." || e2e_fail "Send Preset said no device was selected"
e2e_answer "MIDI Get Sucess" Return

# Untitled 2 now shows Untitled 1's values: Knob 4 without its CC row, and its saved bytes.
e2e_use_document "${E2E_TITLE_PREFIX}Untitled 2"
e2e_click_tab 1
e2e_park_mouse
e2e_shot untitled-2-knobs
e2e_expect_rows "Knob 4 received in Aftertouch" "11111 11111 11111 11110"
copy="$E2E_FILES/received.q7x"
e2e_menu File 5
e2e_choose_file "Select Filename to save" "$copy"
e2e_wait_gone "Select Filename to save"
e2e_wait_file "$copy"
e2e_expect_file_bytes "$copy" 0=15 28=1
