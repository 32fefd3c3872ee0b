# The Q7X unplugged and plugged back while the editor runs: with the device gone, Get Preset says
# "No MIDI Device selected." at once; once it is back (same name, new sequencer client), the editor
# has reopened it without a word and Get Preset brings its preset with "MIDI Get Sucess".
source "$(dirname "$0")/../e2e/lib.sh"
source "$(dirname "$0")/device_lib.sh"
guest_slow_display
e2e_begin "$@"

device="$E2E_FILES/device.q7x"
e2e_write_preset "$device" 0=15
guest_start_simulator "$E2E_DIR/simulator.log" --preset "$device"
first_simulator=$GUEST_SIMULATOR_PID
E2E_PIDS+=("$first_simulator")
e2e_start_editor
e2e_use_document "${E2E_TITLE_PREFIX}Untitled 1"
guest_choose_q7x_ports

# Unplugged: the manager notices within about a second.
guest_stop_simulator
sleep 3
e2e_use_document "${E2E_TITLE_PREFIX}Untitled 1"
guest_press_preset_button 0 guest_any_alert
e2e_wait_window "No MIDI Device selected." 30
e2e_shot vanished
e2e_answer "No MIDI Device selected." Return

# Plugged back: nothing to see, then Get works.
guest_start_simulator "$E2E_DIR/simulator-back.log" --preset "$device"
E2E_PIDS+=("$GUEST_SIMULATOR_PID")
sleep 3
e2e_use_document "${E2E_TITLE_PREFIX}Untitled 1"
e2e_shot came-back
e2e_no_window "No MIDI Device selected." || e2e_fail "an alert came when the device came back"
guest_press_preset_button 0 guest_any_alert
e2e_wait_window "MIDI Get Sucess"
e2e_shot get-after-replug
e2e_answer "MIDI Get Sucess" Return
