# With the simulated Q7X: Window > MIDI Monitor opens one monitor (a second choice brings the same
# one to the front), and a Get Preset shows there as the request going out and the reply coming in,
# accepted; Copy puts those lines on the clipboard.
source "$(dirname "$0")/lib.sh"
e2e_begin "$@"
command -v xclip >/dev/null || e2e_fail "xclip is needed to read the clipboard (tools/common.sh installs it)"

E2E_ENV=(Q7X_SIMULATOR=1)
e2e_start_editor
e2e_use_document "${E2E_TITLE_PREFIX}Untitled 1"

e2e_choose_simulator_ports

# Window > MIDI Monitor twice: still one monitor.
e2e_use_document "${E2E_TITLE_PREFIX}Untitled 1"
e2e_menu Window 3
e2e_wait_window "MIDI Monitor"
e2e_use_document "${E2E_TITLE_PREFIX}Untitled 1"
e2e_menu Window 3
e2e_wait_window "MIDI Monitor"
[ "$(e2e_window_count "MIDI Monitor")" -eq 1 ] || e2e_fail "more than one MIDI Monitor window"
monitor=$E2E_WIN

# Get Preset from the document.
e2e_use_document "${E2E_TITLE_PREFIX}Untitled 1"
e2e_click_preset_button 0
e2e_answer "MIDI Get Sucess" Return

# The monitor in front, then Copy (the third button, bottom left).
e2e_activate "$monitor"
e2e_park_mouse
e2e_shot monitor-after-get
e2e_geometry "$monitor"
e2e_click_window "$monitor" 224 $((E2E_H - 21))
copied="$E2E_DIR/copied.txt"
e2e_wait_until "the monitor's lines on the clipboard" 5 \
    bash -c 'xclip -selection clipboard -o >"$1" 2>/dev/null && grep -q "preset reply" "$1"' - "$copied"
e2e_log "copied: $(cat "$copied")"
request='^[0-9][0-9]:[0-9][0-9]:[0-9][0-9]\.[0-9]{3}  Out  Q7X Simulator  F0 00 00 0E 00 41 62 00 5D F7  preset request$'
reply='^[0-9][0-9]:[0-9][0-9]:[0-9][0-9]\.[0-9]{3}  In   Q7X Simulator  F0 00 00 0E 00 41 63 00 5D \.\.\. \(103 bytes\)  preset reply, accepted$'
[ "$(wc -l <"$copied")" -eq 2 ] || e2e_fail "expected two lines on the clipboard, got: $(cat "$copied")"
grep -Eq "$request" <(sed -n 1p "$copied") || e2e_fail "first line is not the request: $(sed -n 1p "$copied")"
grep -Eq "$reply" <(sed -n 2p "$copied") || e2e_fail "second line is not the accepted reply: $(sed -n 2p "$copied")"
