# After a dialog or an alert closes, the keyboard focus is back on the widget that had it (here the
# keybed's Transpose, with its focus ring), not on the first widget of the section, so the next keys
# go where the user expects.
source "$(dirname "$0")/lib.sh"
e2e_begin "$@"

e2e_start_editor
e2e_use_document "${E2E_TITLE_PREFIX}Untitled 1"
e2e_park_mouse

# transpose_has_focus: the focus ring is drawn around Keybed Transpose (second row of the Keybed).
transpose_has_focus()
{
    e2e_screen_pixel_is $(( E2E_CX + 40 + 105 - 2 )) $(( E2E_CY + E2E_VIEW_Y + 58 + 10 )) FFB300
}
e2e_key ctrl+5 Tab Tab
e2e_wait_until "the focus on Keybed Transpose" 5 transpose_has_focus

# Device Setup, opened from the menu bar and cancelled with Escape.
e2e_key F10 Right Right Down Return
e2e_wait_window "Pelmar Q7X Editor Device Setup"
e2e_wait_until "Device Setup to take the focus" 5 e2e_is_active "$E2E_WIN"
e2e_key Escape
e2e_wait_gone "Pelmar Q7X Editor Device Setup"
e2e_wait_until "the focus back on Keybed Transpose after Device Setup" 5 transpose_has_focus
e2e_shot after-device-setup

# An alert: Send Preset with no device chosen (File > Hardware > Send Preset).
e2e_key F10 Down Down Down Down Down Down Right Down Return
e2e_answer "No MIDI Device selected." Return
e2e_wait_until "the focus back on Keybed Transpose after the alert" 5 transpose_has_focus

# The next key goes to Transpose: Up makes 0 into 1.
e2e_key Up
target="$E2E_FILES/focus.q7x"
e2e_key ctrl+s
e2e_choose_file "Select Filename to save" "$target"
e2e_wait_gone "Select Filename to save"
e2e_wait_until "the preset to be saved" 10 e2e_file_has_byte "$target" 0 13
e2e_expect_file_bytes "$target" 0=13
