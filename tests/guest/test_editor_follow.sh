# The editor follows the hardware on the real sequencer: with q7x-simulator as the Q7X, Knob 3
# turned on the device brings the Knobs section forward with Knob 3's title lit, and only Knob 3's.
source "$(dirname "$0")/../e2e/lib.sh"
source "$(dirname "$0")/device_lib.sh"
guest_slow_display
e2e_begin "$@"

# The knob turned for 30 s, a step each 250 ms: each step keeps the title lit for another second,
# so the light is seen however slowly the emulated machine takes its screenshots.
turn="$E2E_FILES/turn-knob-3.txt"
for step in $(seq 0 119); do printf 'Knob 3=%d\npause 250\n' $((step % 128)); done >"$turn"
guest_start_simulator "$E2E_DIR/simulator.log" --play-file "$turn"
E2E_PIDS+=("$GUEST_SIMULATOR_PID")

e2e_start_editor
e2e_use_document "${E2E_TITLE_PREFIX}Untitled 1"
guest_choose_q7x_ports
e2e_use_document "${E2E_TITLE_PREFIX}Untitled 1"
# Away from the tabs and the picture, whose images change under the pointer (this screen is smaller
# than the one e2e_park_mouse knows).
e2e_move_abs 1270 790

# The title light: an orange pill from x 94 of a panel, behind the title's text at x 102.
title_lit_in_shot()
{
    local seen
    seen=$(e2e_pixel "$E2E_SHOT" $((E2E_CX + E2E_PANEL_X[$1] + 97)) $((E2E_CY + E2E_VIEW_Y + 14)))
    e2e_colour_near "$seen" E07B00 24
}

knob_3_lit_now()
{
    e2e_shot knob-3-turned
    title_lit_in_shot 2
}

e2e_shot before-touch
title_lit_in_shot 2 && e2e_fail "Knob 3's title is lit before the knob was touched (screenshot $E2E_SHOT)"
kill -USR1 "$GUEST_SIMULATOR_PID"
e2e_wait_until "Knob 3's title to light" "$E2E_WAIT" knob_3_lit_now
grep -q '^played' "$E2E_DIR/simulator.log" && e2e_log "note: the simulator had finished turning before the light was seen"

# In that screenshot: Knobs is the section shown, its four panels in CC mode, and Knob 2's title
# beside Knob 3's stays dark.
e2e_expect_selected 1
e2e_expect_rows "the Knobs section" "11111 11111 11111 11111"
title_lit_in_shot 1 && e2e_fail "Knob 2's title is lit too (screenshot $E2E_SHOT)"
e2e_expect_pixel "Knob 3's title light" $((E2E_PANEL_X[2] + 97)) $((E2E_VIEW_Y + 14)) E07B00
