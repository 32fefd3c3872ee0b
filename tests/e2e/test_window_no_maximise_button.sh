# The document window's frame has no maximise button: with openbox's title-bar buttons in the order
# NLMIC its title bar ends in minimise and close only, where a resizable window (xmessage) shows
# maximise, minimise and close. Under openbox's own order, NLIMC, openbox draws a maximise button on
# every window that shows a minimise button, allowed or not: it keeps a button's place whenever a
# button between it and the title is shown, and draws it in the theme's disabled look, which the
# default theme draws like any other.
E2E_OPENBOX_TITLE_LAYOUT=NLMIC
source "$(dirname "$0")/lib.sh"
e2e_begin "$@"

# title_buttons WINDOW: how many buttons end its title bar, counted on the row through their middle
# as pairs of edges in the darkest colour of that row.
title_buttons()
{
    local top colours darkest
    e2e_activate "$1"
    e2e_geometry "$1"
    top=$(xprop -id "$1" _NET_FRAME_EXTENTS | sed 's/.*= *//' | cut -d, -f3 | tr -d ' ')
    e2e_shot "title-bar-$1"
    colours=$(convert "$E2E_SHOT" -crop "90x1+$((E2E_X + E2E_W - 90))+$((E2E_Y - top / 2))" +repage -depth 8 txt:- \
        | awk 'NR > 1 { print $3 }')
    darkest=$(sort <<<"$colours" | head -n1)
    echo $(($(grep -cx "$darkest" <<<"$colours") / 2))
}

# A window that the window manager may resize, and so maximise.
xmessage -title "Resizable reference" -geometry 400x200+1300+700 "a resizable window" &
E2E_PIDS+=($!)
e2e_wait_window "Resizable reference"
reference=$E2E_WIN
n=$(title_buttons "$reference")
[ "$n" -eq 3 ] || e2e_fail "the resizable reference window shows $n title-bar buttons, expected maximise, minimise and close"

e2e_start_editor
e2e_use_document "${E2E_TITLE_PREFIX}Untitled 1"
n=$(title_buttons "$E2E_DOC")
[ "$n" -eq 2 ] || e2e_fail "the document window shows $n title-bar buttons, expected minimise and close only"
