# What the package installs for the desktop: the desktop entry, the metainfo, the man page and the
# preset file type (by name, any case, and by content under another name).
source "$(dirname "$0")/lib.sh"
pkg_begin "$@"
pkg_unpack
share="$PKG_ROOT/usr/share"

desktop="$share/applications/$PKG_APP_ID.desktop"
out=$(desktop-file-validate "$desktop" 2>&1) || pkg_fail "desktop-file-validate: $out"
[ -z "$out" ] || pkg_fail "desktop-file-validate reports: $out"
for line in "Name=Pelmar Q7X Editor" "Exec=q7x-editor %f" "Icon=$PKG_APP_ID" \
            "MimeType=application/x-q7x-preset;" "StartupWMClass=Pelmar Q7X Editor"; do
    grep -qxF "$line" "$desktop" || pkg_fail "the desktop entry lacks $line"
done

out=$(appstreamcli validate --no-net "$share/metainfo/$PKG_APP_ID.metainfo.xml" 2>&1) \
    || pkg_fail "appstreamcli validate: $out"

page=$(MANWIDTH=100 man -l "$share/man/man1/q7x-editor.1.gz" 2>&1) || pkg_fail "man -l: $page"
for text in "q7x-editor - edit the presets" "SYNOPSIS" "Q7X_SIMULATOR" "FILES" "$PKG_GUIDE"; do
    grep -qF "$text" <<<"$page" || pkg_fail "the man page lacks \"$text\""
done
! grep -qi 'warning' <<<"$page" || pkg_fail "man -l warns: $page"

# The file type, from a database built from this package alone, ahead of the system's.
update-mime-database "$share/mime" >/dev/null 2>&1
export XDG_DATA_DIRS="$share:/usr/share"
type_of() { gio info -a standard::content-type "$1" 2>/dev/null | sed -n 's/^ *standard::content-type: //p'; }
files="$PKG_TMP/files"
mkdir -p "$files"
# A valid preset dump: header, 93 bytes of zeros (all in range), end of SysEx.
{ printf '\xf0\x00\x00\x0e\x00\x41\x61\x00\x5d'; head -c 93 /dev/zero; printf '\xf7'; } >"$files/dump"
cp "$files/dump" "$files/live set.q7x"
cp "$files/dump" "$files/LOUD.Q7X"
cp "$files/dump" "$files/saved-without-extension"
printf 'just some text, no preset\n' >"$files/notes.q7x.txt"
printf '\xf0\x00\x00\x0e\x00\x41\x62\x00\x5d\xf7' >"$files/request-not-a-preset"
for f in "live set.q7x" LOUD.Q7X saved-without-extension; do
    [ "$(type_of "$files/$f")" = application/x-q7x-preset ] \
        || pkg_fail "\"$f\" is seen as $(type_of "$files/$f"), expected application/x-q7x-preset"
done
for f in notes.q7x.txt request-not-a-preset; do
    [ "$(type_of "$files/$f")" != application/x-q7x-preset ] || pkg_fail "\"$f\" is taken for a preset"
done
grep -q '<comment>Pelmar Q7X preset</comment>' "$share/mime/application/x-q7x-preset.xml" \
    || pkg_fail "the file type has no comment"
echo "PASS: desktop entry, metainfo, man page, file type"
