# A preset received with Get Preset leaves the keyboard focus where the user left it (Knob 2 CC,
# with its focus ring), not on Knob 1's Mode list, which the preset changed: the next Down steps
# Knob 2 CC (byte 19, 21 in the default preset) and leaves Knob 1's Mode (byte 13) alone.
source "$(dirname "$0")/lib.sh"
e2e_begin "$@"

E2E_ENV=(Q7X_SIMULATOR=1)
e2e_start_editor
e2e_use_document "${E2E_TITLE_PREFIX}Untitled 1"

# Device Setup: the simulator, the first row of the input and of the output list; OK.
e2e_menu Options 1
e2e_wait_window "Pelmar Q7X Editor Device Setup"
setup=$E2E_WIN
e2e_click_window "$setup" 115 79
e2e_click_window "$setup" 115 250
e2e_click_window "$setup" 52 397
e2e_wait_gone "Pelmar Q7X Editor Device Setup"
e2e_use_document "${E2E_TITLE_PREFIX}Untitled 1"

# Knob 1 to Aftertouch: the simulator holds the default preset, where it is CC.
e2e_click_tab 1
e2e_choose_mode 0 2 2

# knob2_cc_has_focus: the focus ring around Knob 2 CC (second panel, third row).
knob2_cc_has_focus()
{
    e2e_screen_pixel_is $(( E2E_CX + E2E_PANEL_X[1] + 105 - 2 )) $(( E2E_CY + E2E_VIEW_Y + E2E_ROW_Y[2] + 10 )) FFB300
}
xy=$(e2e_widget_xy 1 2)
e2e_click $(( ${xy% *} + 30 )) "${xy#* }"
e2e_park_mouse
e2e_wait_until "the focus on Knob 2 CC" 5 knob2_cc_has_focus

# File > Hardware > Get Preset, from the keyboard.
e2e_key F10 Down Down Down Down Down Down Right Return
e2e_answer "MIDI Get Sucess" Return
e2e_wait_until "the focus back on Knob 2 CC after the Get" 5 knob2_cc_has_focus
e2e_shot after-get
e2e_expect_rows "Knob 1 back in CC" "11111 11111 11111 11111"

e2e_key Down
target="$E2E_FILES/received.q7x"
e2e_key ctrl+s
e2e_choose_file "Select Filename to save" "$target"
e2e_wait_gone "Select Filename to save"
e2e_wait_file "$target"
e2e_expect_file_bytes "$target" 19=20
