# Device Setup and Get Preset from the keyboard alone: F10 opens the menus, Tab walks the dialog's
# lists and buttons with a visible frame, Down chooses the simulated Q7X, Space presses OK, and the
# preset the simulator holds (the built-in default) replaces the opened file's values.
source "$(dirname "$0")/lib.sh"
e2e_begin "$@"

# Keybed Transpose +3 (byte 0 = 15), so that the default preset coming back is seen.
start="$E2E_FILES/start.q7x"
e2e_write_preset "$start" 0=15
E2E_ENV=(Q7X_SIMULATOR=1)
e2e_start_editor "$start"
e2e_use_document "${E2E_TITLE_PREFIX}start"

e2e_key F10 Right Right Down Return
e2e_wait_window "Pelmar Q7X Editor Device Setup"
setup=$E2E_WIN
e2e_wait_until "Device Setup to take the focus" 5 e2e_is_active "$setup"
e2e_geometry "$setup"
sx=$E2E_X sy=$E2E_Y

# focus_frame_at X Y: the orange focus frame is drawn at that point of the dialog.
focus_frame_at()
{
    e2e_shot "focus-$1-$2"
    e2e_colour_near "$(e2e_pixel "$E2E_SHOT" $((sx + $1)) $((sy + $2)))" FF8C00 40
}
# The input list first (its frame's left edge), then the output list, then OK.
e2e_wait_until "the focus frame on the input list" 5 focus_frame_at 13 120
e2e_key Down Tab Down
e2e_wait_until "the focus frame on the output list" 5 focus_frame_at 13 300
e2e_shot device-setup-keys
for y in 79 250; do
    seen=$(e2e_pixel "$E2E_SHOT" $((sx + 300)) $((sy + y)))
    e2e_colour_near "$seen" FFFFFF 8 || e2e_fail "no device row chosen at y $y of Device Setup (#$seen)"
done
e2e_key Tab
e2e_wait_until "the focus frame on OK" 5 focus_frame_at 14 397
e2e_key space
e2e_wait_gone "Pelmar Q7X Editor Device Setup"

# File > Hardware > Get Preset, by keys.
e2e_use_document "${E2E_TITLE_PREFIX}start"
e2e_key F10 Down Down Down Down Down Down Right Return
e2e_answer "MIDI Get Sucess" Return
e2e_use_document "${E2E_TITLE_PREFIX}start"
e2e_key ctrl+s
e2e_wait_until "the file to hold the simulator's preset" 10 e2e_file_has_byte "$start" 0 12
e2e_expect_file_bytes "$start"
kill -0 "$E2E_EDITOR_PID" || e2e_fail "the editor ended"
