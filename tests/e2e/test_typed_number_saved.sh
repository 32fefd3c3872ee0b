# A number typed without Return is what Ctrl+S saves: Knob 2 Max (byte 21) typed as 80 is saved as
# 80. A click into the box selects its text, so typing replaces the number. Escape puts back the
# stored value, and an entry out of range is put back with a hint beside the box, not saved.
source "$(dirname "$0")/lib.sh"
e2e_begin "$@"

e2e_start_editor
e2e_use_document "${E2E_TITLE_PREFIX}Untitled 1"

# The document gets its file first, so that every later Ctrl+S writes without a chooser.
target="$E2E_FILES/typed.q7x"
e2e_key ctrl+s
e2e_choose_file "Select Filename to save" "$target"
e2e_wait_gone "Select Filename to save"
e2e_wait_file "$target"
e2e_expect_file_bytes "$target"
e2e_use_document "${E2E_TITLE_PREFIX}typed"

# Knobs: Knob 2 is the second panel, Max its fifth row. One click, then the digits, no Return.
e2e_click_tab 1
xy=$(e2e_widget_xy 1 4)
e2e_click $(( ${xy% *} + 30 )) "${xy#* }"
e2e_type 80
e2e_shot typed-80
e2e_key ctrl+s
e2e_wait_until "Ctrl+S to write the typed 80" 10 e2e_file_has_byte "$target" 21 80
e2e_expect_file_bytes "$target" 21=80

# Escape brings back 80; saving again keeps 80.
e2e_type 5
e2e_key Escape
e2e_key ctrl+s
sleep 1
e2e_expect_file_bytes "$target" 21=80

# 300 is out of range: the box shows 80 again, a hint beside it says why, and 80 stays saved.
printf 'x' >"$target"
e2e_key ctrl+a
e2e_type 300
e2e_key ctrl+s
e2e_wait_until "Ctrl+S to write the preset again" 10 e2e_file_size_is "$target" 103
e2e_expect_file_bytes "$target" 21=80
# The hint passes after a few seconds, so the screen is read at once.
# It stands in the box's own row, just right of the box (which ends 40 right of its middle).
e2e_wait_until "the hint beside Knob 2 Max" 2 \
    e2e_screen_pixel_is $(( E2E_CX + ${xy% *} + 45 )) $(( E2E_CY + ${xy#* } )) FFB300
e2e_shot refused-300

# The mouse wheel over Knob 2 CC (21, byte 19) steps it by one a notch: two notches up make 23,
# taken at once (the screenshot also shows the range tooltip of the box under the pointer).
xy=$(e2e_widget_xy 1 2)
e2e_move_abs $(( E2E_CX + ${xy% *} )) $(( E2E_CY + ${xy#* } ))
xdotool click 4
xdotool click 4
sleep 1.5
e2e_shot wheel-and-tooltip
e2e_key ctrl+s
e2e_wait_until "Ctrl+S to write the wheeled CC" 10 e2e_file_has_byte "$target" 19 23
e2e_expect_file_bytes "$target" 19=23 21=80
