# A preset received with Get Preset while no widget has the keyboard focus leaves the focus nowhere:
# Knob 1's Mode list, which the preset changes from Aftertouch back to CC, must not take it, or the
# next Down meant for nothing would set Knob 1's Mode (byte 13) to Aftertouch (1) again. Ctrl+S then
# writes the simulator's preset, the default one, unchanged.
source "$(dirname "$0")/lib.sh"
e2e_begin "$@"

live="$E2E_FILES/live.q7x"
e2e_write_preset "$live" 13=1

E2E_ENV=(Q7X_SIMULATOR=1)
e2e_start_editor "$live"
e2e_use_document "${E2E_TITLE_PREFIX}live"

e2e_choose_simulator_ports
e2e_use_document "${E2E_TITLE_PREFIX}live"
e2e_park_mouse

# knob1_mode_has_focus: the focus ring around Knob 1's Mode list (first panel, first row).
knob1_mode_has_focus()
{
    e2e_screen_pixel_is $(( E2E_CX + E2E_PANEL_X[0] + 105 - 2 )) $(( E2E_CY + E2E_VIEW_Y + E2E_ROW_Y[0] + 10 )) FFB300
}

# The Knobs by their key: no widget takes the focus.
e2e_key ctrl+2
sleep 1
! knob1_mode_has_focus || e2e_fail "Knob 1's Mode list had the focus before the Get"

# File > Hardware > Get Preset, from the keyboard.
e2e_key F10 Down Down Down Down Down Down Right Return
e2e_answer "MIDI Get Sucess" Return
e2e_use_document "${E2E_TITLE_PREFIX}live"
e2e_park_mouse
sleep 1
e2e_shot after-get
! knob1_mode_has_focus || e2e_fail "Knob 1's Mode list took the focus with the Get"

e2e_key Down
e2e_key ctrl+s
e2e_wait_until "Ctrl+S to write the received preset" 10 e2e_file_has_byte "$live" 13 0
sleep 1
e2e_expect_file_bytes "$live"
