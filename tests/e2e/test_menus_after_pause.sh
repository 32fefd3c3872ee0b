# After the keyboard has rested for six seconds, one F10 opens the File menu and it stays open: the
# route Down x6, Right, Down, Return walks to Hardware > Send Preset, which without a device says
# "No MIDI Device selected.", and Pad 5's Mode list, which had the focus, keeps Note (byte 53 = 0).
# After further pauses Alt alone opens the menus, and Space opens a Mode list, each staying open.
source "$(dirname "$0")/lib.sh"
e2e_begin "$@"

# A pop-up that opened counts only if it is still there a second later.
e2e_expect_menu_stays()
{
    e2e_wait_until "$1 to open a menu" 5 e2e_has_window menu
    sleep 1
    e2e_has_window menu || e2e_fail "the menu $1 opened closed by itself"
}

e2e_start_editor
e2e_use_document "${E2E_TITLE_PREFIX}Untitled 1"
e2e_park_mouse
# Drum Pads: Tab walks the first bank's rows into the second, to Pad 5's Mode list.
e2e_key ctrl+4 $(printf 'Tab %.0s' $(seq 21))
e2e_wait_until "the focus ring around Pad 5's Mode list" 5 \
    e2e_screen_pixel_is $(( E2E_CX + 40 + 105 - 2 )) $(( E2E_CY + E2E_VIEW_Y + 32 + 10 )) FFB300

sleep 6
e2e_key F10
e2e_expect_menu_stays "F10 after a pause"
e2e_shot f10-after-pause
e2e_key Down Down Down Down Down Down Right
e2e_wait_until "Right to open the Hardware sub-menu" 5 e2e_menu_count_is 2
e2e_key Down Return
e2e_wait_window "No MIDI Device selected."
e2e_shot send-without-device
e2e_answer "No MIDI Device selected." Return

e2e_use_document "${E2E_TITLE_PREFIX}Untitled 1"
e2e_park_mouse
e2e_shot pads-after-route
e2e_expect_rows "Drum Pads, second bank" "11111 11111 11111 11111"
target="$E2E_FILES/after-pause.q7x"
e2e_key ctrl+s
e2e_choose_file "Select Filename to save" "$target"
e2e_wait_gone "Select Filename to save"
e2e_wait_file "$target"
# Pad 5 in mode Note (0), with its Note 36.
e2e_expect_file_bytes "$target" 53=0 54=36

e2e_use_document "${E2E_TITLE_PREFIX}after-pause"
e2e_park_mouse
sleep 6
e2e_key alt
e2e_expect_menu_stays "Alt after a pause"
e2e_shot alt-after-pause
e2e_key Escape
e2e_wait_until "Escape to close the menu" 5 e2e_no_window menu

# Tab reaches a Mode list again (the first bank's, once the window was re-entered); then a pause.
e2e_key ctrl+4 $(printf 'Tab %.0s' $(seq 21))
sleep 6
e2e_key space
e2e_expect_menu_stays "Space on a Mode list after a pause"
e2e_shot list-after-pause
e2e_key Escape
e2e_wait_until "Escape to close the list" 5 e2e_no_window menu
