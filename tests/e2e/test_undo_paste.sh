# Undo, redo and pasting one pad's settings to every pad, from the keyboard and the pad's title
# menu, checked in the saved file. Pad n is bytes 33 + 5(n-1) ...: Mode, Note/CC, Toggle On,
# Toggle Off, channel (default 0, note, 0, 0, 9).
source "$(dirname "$0")/lib.sh"
e2e_begin "$@"

e2e_start_editor
e2e_use_document "${E2E_TITLE_PREFIX}Untitled 1"

# The document gets its file first, so that every later Ctrl+S writes without a chooser.
target="$E2E_FILES/pads.q7x"
e2e_key ctrl+s
e2e_choose_file "Select Filename to save" "$target"
e2e_wait_gone "Select Filename to save"
e2e_wait_file "$target"
e2e_use_document "${E2E_TITLE_PREFIX}pads"

# Drum Pads: Pad 1 to CC Toggle (item 2 of 4), its CC (row 2) 36, its Toggle On (row 3) 100.
e2e_click_tab 3
e2e_choose_mode 0 2 4
e2e_set_number 0 2 36
e2e_set_number 0 3 100

save_and_expect()
{
    printf 'x' >"$target"
    e2e_key ctrl+s
    e2e_wait_until "Ctrl+S to write the preset" 10 e2e_file_size_is "$target" 103
    e2e_expect_file_bytes "$target" "$@"
}

save_and_expect 33=1 34=36 35=100

# Ctrl+Z takes Toggle On back, Ctrl+Shift+Z does it again.
e2e_key ctrl+z
save_and_expect 33=1 34=36
e2e_key ctrl+shift+z
save_and_expect 33=1 34=36 35=100

# The title menu of Pad 1 (right click): Copy Control Settings, then the fourth item,
# Paste to All Pads, Counting Up: Pads 2-8 get CC 37 ... 43.
pad_title_menu()
{
    e2e_move_abs $(( E2E_CX + E2E_PANEL_X[0] + 120 )) $(( E2E_CY + E2E_VIEW_Y + 14 ))
    xdotool click 3
    e2e_wait_until "the title menu of Pad 1 to open" 5 e2e_has_window menu
    sleep 0.3
}

pad_title_menu
e2e_key Down Return
e2e_wait_until "the title menu to close" 5 e2e_no_window menu
pad_title_menu
e2e_key Down Down Down Down
e2e_shot pad-title-menu
e2e_key Return
e2e_wait_until "the title menu to close" 5 e2e_no_window menu

all_pads=(33=1 34=36 35=100 38=1 39=37 40=100 43=1 44=38 45=100 48=1 49=39 50=100
          53=1 54=40 55=100 58=1 59=41 60=100 63=1 64=42 65=100 68=1 69=43 70=100)
save_and_expect "${all_pads[@]}"

# The Edit menu names the step; Ctrl+Z takes the whole paste back in one step, Ctrl+Y redoes it.
e2e_key F10
e2e_wait_until "F10 to open the File menu" 5 e2e_has_window menu
before=$(e2e_windows_titled menu | paste -sd,)
e2e_key Right
e2e_wait_until "Right to open the Edit menu" 5 e2e_menus_changed "$before"
e2e_shot edit-menu
e2e_key Escape
e2e_wait_until "the Edit menu to close" 5 e2e_no_window menu

e2e_key ctrl+z
save_and_expect 33=1 34=36 35=100
e2e_key ctrl+y
save_and_expect "${all_pads[@]}"
