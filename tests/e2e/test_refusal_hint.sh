# The hint that says why a typed number was put back stands in its box's own row, over no other box:
# right of the box, or left of it where the window ends first (the last panel of a row). It goes at
# once when Ctrl and a digit show another section, well before its own few seconds are up.
# Pixel places are layout coordinates, so the scenario also runs on a smaller or scaled screen
# (E2E_SCREEN, E2E_DESKTOP_SCALE).
source "$(dirname "$0")/lib.sh"
e2e_begin "$@"

e2e_start_editor
e2e_use_fitted_document "${E2E_TITLE_PREFIX}Untitled 1"

hint=FFB300

# pixel_is X Y RRGGBB: the screen shows that colour at layout position X, Y now.
pixel_is()
{
    e2e_screen_pixel_is $(( E2E_CX + $(e2e_zoomed "$1") )) $(( E2E_CY + $(e2e_zoomed "$2") )) "$3"
}

pixel_is_not()
{
    ! pixel_is "$@"
}

expect_pixel()
{
    pixel_is "$2" "$3" "$4" || e2e_fail "$1: layout pixel ($2, $3) is not #$4"
}

# refuse PANEL ROW VALUE: types an out-of-range VALUE into a box and waits for its hint at X Y
# (given in HINT_X, HINT_Y); SHOWN_AT is when it was first seen, in ms.
refuse()
{
    e2e_set_number "$1" "$2" "$3"
    # Away from the box, whose tooltip would otherwise come up near the hint.
    e2e_park_mouse
    e2e_wait_until "the hint at ($HINT_X, $HINT_Y)" 3 pixel_is "$HINT_X" "$HINT_Y" "$hint"
    SHOWN_AT=$(date +%s%3N)
}

# leave_by_key PANEL ROW VALUE KEY WHAT: refused again, so that the hint has its seconds ahead, then
# Ctrl+KEY shows another section; the hint is gone from HINT_X, HINT_Y within 1-2 s (the wait counts
# whole seconds), well before its own end.
leave_by_key()
{
    refuse "$1" "$2" "$3"
    shift 3
    e2e_key "ctrl+$1"
    e2e_wait_until "the hint to go with $2" 2 pixel_is_not "$HINT_X" "$HINT_Y" "$hint"
    local after=$(( $(date +%s%3N) - SHOWN_AT ))
    e2e_log "the hint went $after ms after it was seen"
    [ "$after" -lt 3500 ] || e2e_fail "too slow to tell: the hint went $after ms after it was seen, near its own end"
    e2e_shot "after-ctrl-$1"
}

# Knobs: Knob 1 CC (box 145-225 x 611-631). The hint starts at x 227 in the same row; Knob 1 Min
# just below, where a hint under the box would stand, still shows white.
e2e_key ctrl+2
HINT_X=230 HINT_Y=621
refuse 0 2 300
e2e_shot knob-1-cc-refused
expect_pixel "Knob 1 Min below the refused box" 200 645 FFFFFF
expect_pixel "Knob 2 CC, the next box in the row" 470 621 FFFFFF
leave_by_key 0 2 301 3 "the Knobs"

# Drum Pads: Pad 4 Curve, the last row of the last panel (box 985-1065 x 663-683). The window ends
# too soon on the right, so the hint ends at x 983, left of the box; Pad 4 Fixed above it and Pad 3
# Curve further left stay white.
e2e_key ctrl+4
HINT_X=980 HINT_Y=673
refuse 3 4 77
e2e_shot pad-4-curve-refused
expect_pixel "Pad 4 Fixed above the refused box" 1040 645 FFFFFF
expect_pixel "Pad 3 Curve, the box before it in the row" 780 673 FFFFFF
expect_pixel "right of the refused box" 1100 673 0093D0
leave_by_key 3 4 78 1 "the Drum Pads"

# A number typed but not committed is committed by Ctrl and a digit as its section goes: its hint
# never stands over the next section, neither in the box's row (230, 621) nor below it, over
# Switch 1's Toggle On (148, 645) and Switch 2's (320, 645).
e2e_key ctrl+2
xy=$(e2e_widget_xy 0 2)
e2e_click $(( ${xy% *} + 30 )) "${xy#* }"
e2e_key ctrl+a BackSpace
e2e_type 302
e2e_park_mouse
e2e_key ctrl+3
for look in 1 2 3 4 5; do
    sleep 0.3
    pixel_is_not 230 621 "$hint" && pixel_is_not 148 645 "$hint" && pixel_is_not 320 645 "$hint" \
        || e2e_fail "the hint of a box the Knobs took away stands over the Switches"
done
e2e_shot switches-after-uncommitted-refusal
