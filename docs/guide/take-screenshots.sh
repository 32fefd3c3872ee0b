#!/usr/bin/env bash
# Takes the user guide's pictures from the real editor, driven the way the end-to-end scenarios
# drive it (tests/e2e/lib.sh), so that the guide always shows the program as it is built:
#   bash docs/guide/take-screenshots.sh <path-to-q7x-editor> <picture-dir>
# The session's own screenshots and logs stay in <picture-dir>/session/.
set -euo pipefail
[ $# -eq 2 ] || { echo "usage: bash $(basename "$0") <path-to-q7x-editor> <picture-dir>" >&2; exit 2; }
mkdir -p "$2"
pictures=$(cd "$2" && pwd)
source "$(dirname "$0")/../../tests/e2e/lib.sh"
e2e_begin "$1" "$pictures/session"

# keep_window WINDOW NAME: the client area of WINDOW in the last screenshot, as NAME.png.
keep_window()
{
    e2e_geometry "$1"
    convert "$E2E_SHOT" -crop "${E2E_W}x${E2E_H}+${E2E_X}+${E2E_Y}" +repage "$pictures/$2.png"
}

# keep_content Y H NAME: a band of the document's editor (content coordinates), as NAME.png.
keep_content()
{
    convert "$E2E_SHOT" -crop "${E2E_CONTENT_W}x$2+$E2E_CX+$((E2E_CY + $1))" +repage "$pictures/$3.png"
}

# keep_section INDEX NAME: the tab strip and the section view of section INDEX.
keep_section()
{
    e2e_click_tab "$1"
    e2e_park_mouse
    e2e_shot "$2"
    keep_content "$E2E_TAB_Y" $((E2E_CONTENT_H - E2E_TAB_Y)) "$2"
}

# A home of its own with a few presets, so the file chooser shows what a musician would see.
home=$(mktemp -d /tmp/q7x-guide.XXXXXX)
trap 'status=$?; rm -rf "$home"; (exit $status); e2e_end' EXIT
mkdir -p "$home/Presets"
e2e_write_preset "$home/Presets/Drum Kit.q7x"
e2e_write_preset "$home/Presets/Live Set.q7x"
e2e_write_preset "$home/Presets/Studio.q7x"
E2E_ENV=(Q7X_SIMULATOR=1 HOME="$home/Presets")
e2e_start_editor
e2e_use_document "${E2E_TITLE_PREFIX}Untitled 1"
document=$E2E_DOC
e2e_park_mouse
e2e_shot window
keep_window "$document" window

# Sections, with the modes of knobs, switches and pads side by side.
keep_section 0 section-main
e2e_click_tab 1
e2e_choose_mode 1 2 2
keep_section 1 section-knobs
e2e_click_tab 2
e2e_choose_mode 1 2 3
e2e_choose_mode 2 3 3
keep_section 2 section-switches
e2e_click_tab 3
e2e_choose_mode 1 2 4
e2e_choose_mode 2 3 4
e2e_choose_mode 3 4 4
keep_section 3 section-pads
# The Mode list of the fourth pad, open: the shot taken while it was pointed at.
e2e_click_tab 3
e2e_choose_mode 3 4 4
keep_content 400 300 mode-list
keep_section 4 section-keybed
keep_section 5 section-wheels
keep_section 6 section-sustain

# An alert: asking for the preset before any port is chosen.
e2e_use_document "${E2E_TITLE_PREFIX}Untitled 1"
e2e_click_tab 0
e2e_click_preset_button 0
e2e_wait_window "No MIDI Device selected."
alert=$E2E_WIN
e2e_park_mouse
e2e_shot alert
keep_window "$alert" alert
e2e_answer "No MIDI Device selected." Return

# Device Setup with the simulator chosen for input and output.
e2e_use_document "${E2E_TITLE_PREFIX}Untitled 1"
e2e_menu Options 1
e2e_wait_window "Pelmar Q7X Editor Device Setup"
setup=$E2E_WIN
e2e_click_window "$setup" 115 79
e2e_click_window "$setup" 115 250
e2e_park_mouse
e2e_shot device-setup
keep_window "$setup" device-setup
e2e_click_window "$setup" 52 397
e2e_wait_gone "Pelmar Q7X Editor Device Setup"

# The same from the keyboard: the frame shows where the keys go (here the OK button).
e2e_use_document "${E2E_TITLE_PREFIX}Untitled 1"
e2e_key F10 Right Right Down Return
e2e_wait_window "Pelmar Q7X Editor Device Setup"
setup=$E2E_WIN
e2e_key Tab Tab
e2e_shot device-setup-keys
keep_window "$setup" device-setup-keys
e2e_key Escape
e2e_wait_gone "Pelmar Q7X Editor Device Setup"

# The framework's own file chooser (no zenity or kdialog here) and the save question.
e2e_use_document "${E2E_TITLE_PREFIX}Untitled 1"
e2e_key ctrl+o
e2e_wait_window "Select Filename to open"
chooser=$E2E_WIN
e2e_park_mouse
e2e_shot file-chooser
keep_window "$chooser" file-chooser
e2e_cancel_chooser "Select Filename to open"

e2e_use_document "${E2E_TITLE_PREFIX}Untitled 1"
e2e_key ctrl+w
e2e_wait_window "Save Document"
question=$E2E_WIN
e2e_park_mouse
e2e_shot save-question
keep_window "$question" save-question
e2e_answer "Save Document" Escape
