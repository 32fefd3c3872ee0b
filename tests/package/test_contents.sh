# The package's control fields and file list, and lintian's verdict.
source "$(dirname "$0")/lib.sh"
pkg_begin "$@"

[ "$(basename "$PKG_DEB")" = "q7x-editor_1.0.4_$(dpkg --print-architecture).deb" ] \
    || pkg_fail "package file is named $(basename "$PKG_DEB")"

field() { dpkg-deb -f "$PKG_DEB" "$1"; }
[ "$(field Package)" = q7x-editor ] || pkg_fail "Package: $(field Package)"
[ "$(field Version)" = 1.0.4 ] || pkg_fail "Version: $(field Version)"
[ "$(field Section)" = sound ] || pkg_fail "Section: $(field Section)"
[ "$(field Recommends)" = "zenity | kdialog, xdg-utils" ] || pkg_fail "Recommends: $(field Recommends)"
grep -q '<.*@.*>' <<<"$(field Maintainer)" || pkg_fail "Maintainer without an address: $(field Maintainer)"
grep -q 'Pelmar Q7X' <<<"$(field Description)" || pkg_fail "Description does not say what it is: $(field Description)"
# Found by dpkg-shlibdeps in the binary, and the X libraries the framework loads at run time.
depends=$(field Depends | sed 's/ ([^)]*)//g; s/, /\n/g')
for dep in libc6 libstdc++6 libasound2 libfreetype6 libpng16-16 libx11-6 libxext6 fontconfig-config; do
    grep -qxF "$dep" <<<"$depends" || pkg_fail "Depends lacks $dep: $(field Depends)"
done
dpkg-deb -I "$PKG_DEB" >"$PKG_TMP/info"
grep -q 'md5sums' "$PKG_TMP/info" || pkg_fail "no md5sums in the control archive"

dpkg-deb -c "$PKG_DEB" | awk '{ $1 = $2 = $3 = $4 = $5 = ""; sub(/^ +/, ""); print }' >"$PKG_TMP/files"
while IFS= read -r path; do
    grep -qxF "$path" "$PKG_TMP/files" || pkg_fail "the package lacks $path"
done <<EOF_FILES
./usr/bin/q7x-editor
./usr/share/applications/com.pelmar.Q7XEditor.desktop
./usr/share/mime/packages/com.pelmar.Q7XEditor.xml
./usr/share/metainfo/com.pelmar.Q7XEditor.metainfo.xml
./usr/share/icons/hicolor/48x48/apps/com.pelmar.Q7XEditor.png
./usr/share/icons/hicolor/128x128/apps/com.pelmar.Q7XEditor.png
./usr/share/icons/hicolor/256x256/apps/com.pelmar.Q7XEditor.png
./usr/share/icons/hicolor/scalable/apps/com.pelmar.Q7XEditor.svg
./usr/share/man/man1/q7x-editor.1.gz
./usr/share/doc/q7x-editor/copyright
./usr/share/doc/q7x-editor/changelog.gz
./usr/share/doc/q7x-editor/Q7X Editor - User Guide - v1.0.pdf
EOF_FILES

# No errors; warnings are shown in the test's output.
lintian --tag-display-limit 0 "$PKG_DEB" >"$PKG_TMP/lintian" 2>&1 || true
cat "$PKG_TMP/lintian"
! grep -q '^E:' "$PKG_TMP/lintian" || pkg_fail "lintian reports errors"
echo "PASS: control fields, files, lintian"
