# Saving: the save chooser proposes the document's name in the last folder with the keyboard focus
# in its name field (Return alone saves), and a typed name with a dot gets ".q7x". About and Device
# Setup stay above the document while it is clicked, Escape closes About and cancels Device Setup,
# and a click on About's version line closes it.
source "$(dirname "$0")/lib.sh"
e2e_begin "$@"

e2e_start_editor
e2e_use_document "${E2E_TITLE_PREFIX}Untitled 1"

# chooser_ready TITLE: the chooser is up and holds the keyboard focus; nothing is clicked in it.
chooser_ready()
{
    e2e_wait_window "$1"
    e2e_wait_until "the chooser to take the focus" 5 e2e_is_active "$E2E_WIN"
    # Its name field takes the focus once the window has it.
    sleep 0.5
}

# Ctrl+S on a new document: the proposal is "Untitled 1.q7x" in the home folder; Return takes it.
e2e_key ctrl+s
chooser_ready "Select Filename to save"
e2e_shot save-proposal
e2e_key Return
e2e_wait_gone "Select Filename to save"
e2e_wait_file "$E2E_HOME/Untitled 1.q7x"
e2e_expect_file_bytes "$E2E_HOME/Untitled 1.q7x"

# Save As (the Main section's Save button) with a name holding a dot, typed straight away.
e2e_use_document "${E2E_TITLE_PREFIX}Untitled 1"
e2e_click_preset_button 3
chooser_ready "Select Filename to save"
e2e_key ctrl+a BackSpace
e2e_type "$E2E_FILES/Live v1.2"
e2e_shot save-typed
e2e_key Return Return
e2e_wait_gone "Select Filename to save"
e2e_wait_file "$E2E_FILES/Live v1.2.q7x"
e2e_expect_file_bytes "$E2E_FILES/Live v1.2.q7x"
[ ! -e "$E2E_FILES/Live v1.2" ] || e2e_fail "the preset was saved without .q7x"
e2e_wait_window "${E2E_TITLE_PREFIX}Live v1.2"

# stacked_above A B: window A lies above window B in the window manager's stacking order.
stacked_above()
{
    local order a b i=0 ia=-1 ib=-1 id
    order=$(xprop -root _NET_CLIENT_LIST_STACKING | sed 's/.*#//' | tr -d ',')
    a=$(printf '0x%x' "$1"); b=$(printf '0x%x' "$2")
    for id in $order; do
        [ "$((id))" -eq "$((a))" ] && ia=$i
        [ "$((id))" -eq "$((b))" ] && ib=$i
        i=$((i + 1))
    done
    [ "$ia" -ge 0 ] && [ "$ib" -ge 0 ] && [ "$ia" -gt "$ib" ]
}

# about_window_shown: a visible window of the editor that was not there before, 484 x 267 or with a
# thin frame; its id goes to $about.
about_window_shown()
{
    local id w h info
    for id in $(xdotool search --onlyvisible --pid "$E2E_EDITOR_PID" 2>/dev/null || true); do
        grep -qx "$id" <<<"$before" && continue
        info=$(xwininfo -id "$id" 2>/dev/null) || continue
        w=$(sed -n 's/^ *Width: *//p' <<<"$info")
        h=$(sed -n 's/^ *Height: *//p' <<<"$info")
        [ $((w - 484)) -eq $((h - 267)) ] && [ $((w - 484)) -ge 0 ] && [ $((w - 484)) -le 4 ] && { about=$id; return 0; }
    done
    return 1
}

open_about()
{
    e2e_use_document "${E2E_TITLE_PREFIX}Live v1.2"
    before=$( (xdotool search --onlyvisible --pid "$E2E_EDITOR_PID" 2>/dev/null || true) | sort)
    e2e_menu Help 2
    e2e_wait_until "the About window" 5 about_window_shown
}

# Escape closes About.
open_about
e2e_wait_until "About to take the focus" 5 e2e_is_active "$about"
e2e_key Escape
e2e_wait_until "About to close on Escape" 5 e2e_window_gone "$about"

# A click on the version line closes it.
open_about
e2e_geometry "$about"
e2e_click_abs $((E2E_X + E2E_W / 2)) $((E2E_Y + E2E_H / 2 + 7))
e2e_wait_until "About to close on a click on its version line" 5 e2e_window_gone "$about"

# A click on the document leaves About above it; a click on About still closes it.
open_about
e2e_click 600 30
e2e_wait_until "the document to take the focus" 5 e2e_is_active "$E2E_DOC"
e2e_wait_until "About to stay above the clicked document" 5 stacked_above "$about" "$E2E_DOC"
e2e_shot about-above-document
e2e_geometry "$about"
e2e_click_abs $((E2E_X + 40)) $((E2E_Y + 40))
e2e_wait_until "About to close on a click" 5 e2e_window_gone "$about"

# Device Setup stays above the clicked document, and Escape cancels it.
e2e_use_document "${E2E_TITLE_PREFIX}Live v1.2"
e2e_menu Options 1
e2e_wait_window "Pelmar Q7X Editor Device Setup"
setup=$E2E_WIN
e2e_click 600 30
e2e_wait_until "the document to take the focus" 5 e2e_is_active "$E2E_DOC"
e2e_wait_until "Device Setup to stay above the clicked document" 5 stacked_above "$setup" "$E2E_DOC"
e2e_shot setup-above-document
e2e_activate "$setup"
e2e_key Escape
e2e_wait_gone "Pelmar Q7X Editor Device Setup"
kill -0 "$E2E_EDITOR_PID" || e2e_fail "the editor ended"
