# The user guide in the package: a PDF with pages, naming every section and every alert.
source "$(dirname "$0")/lib.sh"
pkg_begin "$@"
pkg_unpack
guide="$PKG_ROOT/usr/share/doc/q7x-editor/$PKG_GUIDE"
[ -f "$guide" ] || pkg_fail "no guide at $guide"
pages=$(pdfinfo "$guide" | sed -n 's/^Pages: *//p')
[ "${pages:-0}" -ge 8 ] || pkg_fail "the guide has ${pages:-no} pages"
# Pictures: the screenshots are embedded images.
[ "$(pdfimages -list "$guide" | tail -n +3 | grep -c .)" -ge 10 ] || pkg_fail "the guide has few pictures"

pdftotext "$guide" "$PKG_TMP/guide.txt"
# Words broken over lines by the layout are joined again.
text=$(tr -s ' \n' ' ' <"$PKG_TMP/guide.txt")
while IFS= read -r wanted; do
    grep -qF -- "$wanted" <<<"$text" || pkg_fail "the guide does not mention \"$wanted\""
done <<'EOF_WANTED'
Main
Knobs
Switches
Drum Pads
Keybed
Mod/Pitch
Sustain
Device Setup
No MIDI Device selected.
MIDI Get Preset Unsuccessful
MIDI Get Sucess
Invalid MIDI Message
MIDI Error
Invalid File
Maxiumum Number of Open Documents Reached
Save Document
Unable to find User Guide
CC Toggle
CC Momentary
Program Change
Aftertouch
Q7X_SIMULATOR=1
apt install
Working from the keyboard
Presets on the command line
q7x-preset set
No program could open the User Guide
EOF_WANTED

# Every example line (indented in the guide's source) is shown whole on one line of a page, as it
# is typed, and the Edit menu has its rows in the menu table.
pdftotext -layout "$guide" "$PKG_TMP/guide-layout.txt"
shown=$(sed 's/^ *//; s/ *$//; s/  */ /g' "$PKG_TMP/guide-layout.txt")
source_md="$(dirname "$0")/../../docs/guide/user-guide.md"
examples=$(sed -n 's/^    //p' "$source_md" | sed 's/^ *//; s/ *$//; s/  */ /g')
[ "$(grep -c . <<<"$examples")" -ge 10 ] || pkg_fail "found too few example lines in $source_md"
while IFS= read -r wanted; do
    grep -qxF -- "$wanted" <<<"$shown" || pkg_fail "the guide does not show the example \"$wanted\" on one line"
done <<<"$examples
Edit Undo, Redo Ctrl+Z; Ctrl+Shift+Z or Ctrl+Y"
echo "PASS: the guide has $pages pages, names every section and alert, and shows every example on one line"
