# The keyboard alone reaches everything: F10 opens the menu bar and the arrows walk it to Device
# Setup; Ctrl+3 shows the Switches section; Ctrl+5 and Tab reach the keybed's Transpose (with a
# focus ring), Up and Page Down change it, Ctrl+S saves it; Tab walks on into the second bank of
# Drum Pads, where Space opens a Mode list; Alt alone opens the menus too; on the Main section Tab reaches the buttons and Space
# clicks Save Preset to Hard Drive.
source "$(dirname "$0")/lib.sh"
e2e_begin "$@"

e2e_start_editor
e2e_use_document "${E2E_TITLE_PREFIX}Untitled 1"

# F10, Right past Edit to Options, Down to its first item, Return: Device Setup.
e2e_key F10
e2e_wait_until "F10 to open the File menu" 5 e2e_has_window menu
before=$(e2e_windows_titled menu | paste -sd,)
e2e_key Right
e2e_wait_until "Right to open the Edit menu" 5 e2e_menus_changed "$before"
before=$(e2e_windows_titled menu | paste -sd,)
e2e_key Right
e2e_wait_until "Right to open the Options menu" 5 e2e_menus_changed "$before"
e2e_key Down
e2e_shot f10-options
e2e_key Return
e2e_wait_window "Pelmar Q7X Editor Device Setup"
e2e_shot device-setup
e2e_click_window "$E2E_WIN" 52 397
e2e_wait_gone "Pelmar Q7X Editor Device Setup"

# Ctrl+3: Switches, with its tab and hotspot highlighted.
e2e_use_document "${E2E_TITLE_PREFIX}Untitled 1"
e2e_park_mouse
e2e_key ctrl+3
sleep 0.5
e2e_shot ctrl-3
e2e_expect_selected 2

# Ctrl+5: Keybed. Tab twice reaches Transpose (second row); Up makes 0 into 1, Page Down 1 into -9.
e2e_key ctrl+5 Tab Tab
e2e_wait_until "the focus ring around Keybed Transpose" 5 \
    e2e_screen_pixel_is $(( E2E_CX + 40 + 105 - 2 )) $(( E2E_CY + E2E_VIEW_Y + 58 + 10 )) FFB300
e2e_key Up Next
e2e_shot keybed-transpose
target="$E2E_FILES/keys.q7x"
e2e_key ctrl+s
e2e_choose_file "Select Filename to save" "$target"
e2e_wait_gone "Select Filename to save"
e2e_wait_file "$target"
# Transpose -9 is stored as -9 + 12 = 3 in byte 0.
e2e_expect_file_bytes "$target" 0=3

# Drum Pads: Tab goes on from the last row of Pad 4 into the second bank, to Pad 5's Mode and then
# its MIDI Channel (shown 10, byte 57); 3 typed there is what the next Ctrl+S saves (stored as 2).
e2e_use_document "${E2E_TITLE_PREFIX}keys"
e2e_key ctrl+4 $(printf 'Tab %.0s' $(seq 22))
e2e_type 3
e2e_park_mouse
e2e_shot pad-5-channel
e2e_expect_rows "Drum Pads, second bank" "11111 11111 11111 11111"
e2e_key ctrl+s
e2e_wait_until "Ctrl+S to write Pad 5's channel" 10 e2e_file_has_byte "$target" 57 2
e2e_expect_file_bytes "$target" 0=3 57=2
# Shift+Tab goes back to Pad 5's Mode list, and Space opens it.
e2e_key shift+Tab space
e2e_wait_until "Space to open Pad 5's Mode list" 5 e2e_has_window menu
e2e_shot pad-5-mode-list
e2e_key Escape
e2e_wait_until "Escape to close the list" 5 e2e_no_window menu

# Alt pressed and released alone opens the menus; Escape closes them.
e2e_key alt
e2e_wait_until "Alt to open the File menu" 5 e2e_has_window menu
e2e_shot alt-menu
e2e_key Escape
e2e_wait_until "Escape to close the menu" 5 e2e_no_window menu

# Main: Tab reaches the four buttons in order; Space on the fourth asks where to save.
e2e_key ctrl+1 Tab Tab Tab Tab
e2e_wait_until "the focus ring around Save Preset to Hard Drive" 5 \
    e2e_screen_pixel_is $(( E2E_CX + 5 - 2 )) $(( E2E_CY + E2E_VIEW_Y + 120 + 17 )) FFB300
e2e_shot main-save-button
e2e_key space
e2e_cancel_chooser "Select Filename to save"
