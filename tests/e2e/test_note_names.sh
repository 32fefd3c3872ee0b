# Note names in the window: Pad 1's Note box takes "C#3", keeps 61 (byte 34) and shows C#3 beside
# it; the keybed's Octave box, pointed at, names the notes of the 25 keys in its tooltip.
source "$(dirname "$0")/lib.sh"
e2e_begin "$@"

e2e_start_editor
e2e_use_document "${E2E_TITLE_PREFIX}Untitled 1"

target="$E2E_FILES/notes.q7x"
e2e_key ctrl+s
e2e_choose_file "Select Filename to save" "$target"
e2e_wait_gone "Select Filename to save"
e2e_wait_file "$target"
e2e_use_document "${E2E_TITLE_PREFIX}notes"

# Pads: Pad 1 is the first panel, Note its third row.
e2e_click_tab 3
e2e_set_number 0 2 "C#3"
e2e_key ctrl+s
e2e_wait_until "Ctrl+S to write note 61" 10 e2e_file_has_byte "$target" 34 61
e2e_expect_file_bytes "$target" 34=61
e2e_park_mouse
e2e_shot pad-note-name

# Keybed: the Octave box is the third row of its panel; its tooltip comes up under the pointer.
e2e_click_tab 4
xy=$(e2e_widget_xy 0 2)
e2e_move_abs $(( E2E_CX + $(e2e_zoomed $(( ${xy% *} + 30 ))) )) $(( E2E_CY + $(e2e_zoomed "${xy#* }") ))
sleep 2
e2e_shot keybed-octave-tooltip
