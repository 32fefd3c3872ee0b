# About shows the version over its picture and closes on a click. Open User Guide without a guide
# says where it looked; with the guide in place it asks the desktop to open it.
source "$(dirname "$0")/lib.sh"
e2e_begin "$@"

e2e_start_editor
e2e_use_document "${E2E_TITLE_PREFIX}Untitled 1"

# About, from the Help menu: a 484 x 267 window without a title bar showing its picture, with the
# version line across the middle. The version text is compared with a rendering of our own.
# about_window_shown: a new visible window of the editor, 484 x 267; its id goes to $about.
about_window_shown()
{
    local id info
    for id in $(xdotool search --onlyvisible --pid "$E2E_EDITOR_PID" 2>/dev/null || true); do
        grep -qx "$id" <<<"$before" && continue
        info=$(xwininfo -id "$id" 2>/dev/null) || continue
        # The picture is 484 x 267; the window may draw a frame of its own around it.
        local w h
        w=$(sed -n 's/^ *Width: *//p' <<<"$info")
        h=$(sed -n 's/^ *Height: *//p' <<<"$info")
        [ $((w - 484)) -eq $((h - 267)) ] && [ $((w - 484)) -ge 0 ] && [ $((w - 484)) -le 4 ] \
            && { about=$id; about_frame=$(((w - 484) / 2)); return 0; }
    done
    return 1
}
before=$( (xdotool search --onlyvisible --pid "$E2E_EDITOR_PID" 2>/dev/null || true) | sort)
e2e_menu Help 2
e2e_wait_until "the About window" 5 about_window_shown
e2e_shot about
e2e_geometry "$about"
e2e_log "About window ${E2E_W}x${E2E_H}, picture inside a frame of $about_frame"
ax=$((E2E_X + about_frame)); ay=$((E2E_Y + about_frame))
convert "$E2E_SHOT" -crop "484x267+$ax+$ay" +repage "$E2E_DIR/about-seen.png"
# Away from the middle band and the notice lines, the window is the picture itself.
convert "$E2E_ASSETS/aboutBackground.png" -crop 484x120+0+0 +repage "$E2E_DIR/about-expected-top.png"
convert "$E2E_DIR/about-seen.png" -crop 484x120+0+0 +repage "$E2E_DIR/about-seen-top.png"
d=$(e2e_differing_pixels "$E2E_DIR/about-expected-top.png" "$E2E_DIR/about-seen-top.png")
[ "${d:-99999}" -le 580 ] || e2e_fail "the About window does not show its picture (${d:-?} pixels differ, about-seen.png)"
# The version line "Version: 1.0.4" sits in the band y 133-148: dark text on the picture there.
convert "$E2E_ASSETS/aboutBackground.png" -crop 484x15+0+133 +repage "$E2E_DIR/about-band-expected.png"
convert "$E2E_DIR/about-seen.png" -crop 484x15+0+133 +repage "$E2E_DIR/about-band-seen.png"
d=$(e2e_differing_pixels "$E2E_DIR/about-band-expected.png" "$E2E_DIR/about-band-seen.png")
[ "${d:-0}" -ge 100 ] || e2e_fail "no version text across the middle of About (${d:-?} pixels differ from the bare picture)"
e2e_click_abs $((ax + 40)) $((ay + 40))
e2e_wait_until "About to close on a click" 5 e2e_window_gone "$about"

# No guide: a dialog titled "Pelmar Q7X Editor".
e2e_use_document "${E2E_TITLE_PREFIX}Untitled 1"
e2e_menu Help 1
e2e_answer "Pelmar Q7X Editor" Return
[ ! -e "$E2E_DIR/xdg-open.calls" ] || e2e_fail "the desktop was asked to open something without a guide: $(cat "$E2E_DIR/xdg-open.calls")"

# With the guide in place, Ctrl+H hands it to the desktop's opener.
guide="$E2E_HOME/Documents/Pelmar/Q7X Editor/Q7X Editor - User Guide - v1.0.pdf"
e2e_write_guide "$guide"
e2e_expect_guide_opened 1 "$guide"
e2e_shot guide-opened
