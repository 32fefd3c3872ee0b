# Undo of a preset loaded from the hard drive into a window puts the window's file back with its
# values: the title names the earlier file again (redo the other way), and Ctrl+S then writes the
# file the title names, not the one loaded. Knob 2 Max is byte 21 (127 in the default preset),
# Keybed Transpose byte 0 (12 for 0).
source "$(dirname "$0")/lib.sh"
e2e_begin "$@"

live="$E2E_FILES/live.q7x"
other="$E2E_FILES/other.q7x"
e2e_write_preset "$live" 21=75
e2e_write_preset "$other" 21=11 0=14

e2e_start_editor "$live"
e2e_use_document "${E2E_TITLE_PREFIX}live"

# Main section: Load Preset from Hard Drive, other.q7x.
e2e_click_preset_button 2
e2e_choose_file "Select Filename to open" "$other"
e2e_wait_gone "Select Filename to open"
e2e_wait_window "${E2E_TITLE_PREFIX}other"
e2e_use_document "${E2E_TITLE_PREFIX}other"
e2e_shot loaded-other

e2e_key ctrl+z
e2e_wait_window "${E2E_TITLE_PREFIX}live" 10
e2e_no_window "${E2E_TITLE_PREFIX}other" || e2e_fail "a window still says other after the undo"
e2e_shot undone
e2e_key ctrl+shift+z
e2e_wait_window "${E2E_TITLE_PREFIX}other" 10
e2e_key ctrl+z
e2e_wait_window "${E2E_TITLE_PREFIX}live" 10
e2e_use_document "${E2E_TITLE_PREFIX}live"

# Knob 2 Max (Knobs, second panel, fifth row) from live's 75 to 99, then Ctrl+S.
e2e_click_tab 1
e2e_set_number 1 4 99
e2e_key ctrl+s
e2e_wait_until "Ctrl+S to write live.q7x" 10 e2e_file_has_byte "$live" 21 99
e2e_no_window "File Changed" || e2e_fail "Ctrl+S asked about a file nobody else changed"
e2e_expect_file_bytes "$live" 21=99
e2e_expect_file_bytes "$other" 21=11 0=14
e2e_wait_window "${E2E_TITLE_PREFIX}live"
