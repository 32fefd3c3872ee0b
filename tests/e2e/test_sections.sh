# Every section tab and every hotspot of the controller picture, clicked with the mouse, shows its
# section and highlights exactly the buttons of that section; the Drum Pads arrows page the pads;
# a Mode list opened with the mouse and an item chosen swaps the rows of its panel.
source "$(dirname "$0")/lib.sh"
e2e_begin "$@"

e2e_start_editor
e2e_use_document "${E2E_TITLE_PREFIX}Untitled 1"

# Widget rows per panel position for each section in its starting state (Main: see below).
expected_rows=(
    ""
    "11111 11111 11111 11111"     # four knobs in CC mode
    "11111 11111 11111 11111"     # four switches in CC Toggle mode
    "11111 11111 11111 11111"     # pads 1-4 in Note mode
    "11110 00000 00000 00000"     # the keybed's four rows
    "11110 10000 00000 00000"     # mod wheel (four rows), pitch wheel (one)
    "11110 00000 00000 00000"     # sustain
)

# check_section SECTION: the last screenshot shows SECTION with its buttons highlighted.
check_section()
{
    local s=$1 name=${E2E_SECTION_NAME[$1]}
    e2e_expect_selected "$s"
    if [ "$s" -eq 0 ]; then
        for i in 0 1 2 3; do
            e2e_expect_image "Main section button $((i + 1))" "${E2E_PRESET_BUTTON_IMAGE[$i]}Normal" 5 $((E2E_VIEW_Y + 40 * i))
        done
        local rows
        rows=$(e2e_rows_shown)
        [ "${rows#* }" = "00000 00000 00000" ] || e2e_fail "Main section shows control widgets: $rows (screenshot $E2E_SHOT)"
    else
        e2e_expect_rows "$name section" "${expected_rows[$s]}"
        e2e_shows_image getPresetButtonNormal 5 "$E2E_VIEW_Y" && e2e_fail "$name section still shows the preset buttons (screenshot $E2E_SHOT)"
    fi
    # Bank arrows only where there is more than one bank: the Drum Pads.
    if [ "$s" -eq 3 ]; then
        e2e_expect_image "previous-bank arrow" leftArrowNormal 10 "$E2E_VIEW_Y"
        e2e_expect_image "next-bank arrow" rightArrowNormal 1170 "$E2E_VIEW_Y"
    else
        ! e2e_shows_image leftArrowNormal 10 "$E2E_VIEW_Y" || e2e_fail "$name section shows a bank arrow (screenshot $E2E_SHOT)"
        ! e2e_shows_image rightArrowNormal 1170 "$E2E_VIEW_Y" || e2e_fail "$name section shows a bank arrow (screenshot $E2E_SHOT)"
    fi
    return 0
}

# Tabs, left to right, then back to Main.
for s in 1 2 3 4 5 6 0; do
    e2e_click_tab "$s"
    e2e_park_mouse
    e2e_shot "tab-$s"
    check_section "$s"
    e2e_crop_view "$E2E_DIR/view-$s.png"
done

# Each section looks different from every other one (Knobs and Switches differ in their titles,
# Keybed and Sustain in their titles and values).
for a in 0 1 2 3 4 5 6; do
    for b in 0 1 2 3 4 5 6; do
        [ "$a" -lt "$b" ] || continue
        d=$(e2e_differing_pixels "$E2E_DIR/view-$a.png" "$E2E_DIR/view-$b.png")
        [ "${d:-0}" -gt 50 ] || e2e_fail "sections ${E2E_SECTION_NAME[$a]} and ${E2E_SECTION_NAME[$b]} look the same (view-$a.png, view-$b.png)"
    done
done

# Hotspots: each shows the same section as its tab, with the same buttons highlighted.
for i in 0 1 2 3 4 5; do
    s=${E2E_HOT_SECTION[$i]}
    e2e_click_tab 0
    e2e_click_hotspot "$i"
    e2e_park_mouse
    e2e_shot "hotspot-${E2E_HOT_IMAGE[$i]}"
    check_section "$s"
    e2e_crop_view "$E2E_DIR/hotspot-view-$i.png"
    d=$(e2e_differing_pixels "$E2E_DIR/view-$s.png" "$E2E_DIR/hotspot-view-$i.png")
    [ "${d:-1}" -le 10 ] || e2e_fail "the ${E2E_HOT_IMAGE[$i]} hotspot shows a section unlike the ${E2E_SECTION_NAME[$s]} tab ($d pixels differ)"
done

# Drum Pads: next shows pads 5-8, next again changes nothing, previous goes back, previous again
# changes nothing.
e2e_click_tab 3
same_view()
{
    local d
    d=$(e2e_differing_pixels "$E2E_DIR/$1.png" "$E2E_DIR/$2.png")
    [ "${d:-1}" -le 10 ]
}
# view_of_pads NAME: a screenshot of the pads shown, kept as pads-NAME.png.
view_of_pads()
{
    e2e_shot "pads-$1"
    e2e_crop_view "$E2E_DIR/pads-$1.png"
}
pads_look_like() { view_of_pads "$1" && same_view "$2" "pads-$1"; }
pads_differ_from() { view_of_pads "$1" && ! same_view "$2" "pads-$1"; }
# page X NAME [like|differ REFERENCE]: clicks a bank arrow and takes the view. A loaded machine
# can repaint after the screen has looked still for a moment, so an expected change is waited for.
page()
{
    e2e_click "$1" $((E2E_VIEW_Y + 13))
    e2e_park_mouse
    case ${3:-} in
        like) e2e_wait_until "the pads of $4 in pads-$2.png" 5 pads_look_like "$2" "$4" ;;
        differ) e2e_wait_until "pads other than $4 in pads-$2.png" 5 pads_differ_from "$2" "$4" ;;
        *) view_of_pads "$2" ;;
    esac
    e2e_expect_rows "Drum Pads $2" "11111 11111 11111 11111"
}
page 1178 next differ view-3
page 1178 next-again
same_view pads-next pads-next-again || e2e_fail "a second next-bank click changed the pads shown (pads-next-again.png)"
page 18 previous like view-3
page 18 previous-again
same_view view-3 pads-previous-again || e2e_fail "a second previous-bank click changed the pads shown (pads-previous-again.png)"

# The bank is kept while another section is shown.
page 1178 next-before-leaving
e2e_click_tab 1
e2e_click_tab 3
e2e_park_mouse
e2e_wait_until "pads 5-8 again on returning to Drum Pads" 5 pads_look_like after-return pads-next

# Knob 1's Mode list: Aftertouch hides the CC row (Max moves up), CC brings it back.
e2e_click_tab 1
e2e_choose_mode 0 2 2
e2e_park_mouse
e2e_shot knob1-aftertouch
e2e_expect_rows "Knob 1 in Aftertouch" "11110 11111 11111 11111"
e2e_choose_mode 0 1 2
e2e_park_mouse
e2e_shot knob1-cc
e2e_expect_rows "Knob 1 back in CC" "11111 11111 11111 11111"

# Pad 2's Mode list: Program Change keeps five rows but other ones.
e2e_click_tab 3
e2e_click 18 $((E2E_VIEW_Y + 13))
e2e_park_mouse
e2e_shot pads-1-4
e2e_crop 320 "$E2E_VIEW_Y" 280 173 "$E2E_DIR/pad2-note.png"
e2e_choose_mode 1 4 4
e2e_park_mouse
e2e_shot pad2-program-change
e2e_expect_rows "Pad 2 in Program Change" "11111 11111 11111 11111"
e2e_crop 320 "$E2E_VIEW_Y" 280 173 "$E2E_DIR/pad2-program-change.png"
same_view pad2-note pad2-program-change && e2e_fail "Pad 2's panel looks the same in Program Change as in Note"
kill -0 "$E2E_EDITOR_PID" || e2e_fail "the editor ended"
