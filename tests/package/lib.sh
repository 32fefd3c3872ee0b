# Shared by the package checks: the package built by build_package.sh, unpacked once per check.
set -euo pipefail
shopt -s inherit_errexit

PKG_APP_ID=com.pelmar.Q7XEditor
PKG_GUIDE="Q7X Editor - User Guide - v1.0.pdf"

# pkg_begin WORK: finds the .deb in WORK; a scratch folder of this check goes to PKG_TMP.
pkg_begin()
{
    [ $# -ge 1 ] || { echo "usage: bash $(basename "$0") <package-work-dir>" >&2; exit 2; }
    PKG_WORK=$(cd "$1" && pwd)
    PKG_DEB=$(ls "$PKG_WORK"/build/q7x-editor_*_*.deb 2>/dev/null | head -n1)
    [ -f "$PKG_DEB" ] || pkg_fail "no package in $PKG_WORK/build (package.build makes it)"
    PKG_TMP=$(mktemp -d /tmp/q7x-package.XXXXXX)
    trap 'rm -rf "$PKG_TMP"' EXIT
}

pkg_fail()
{
    echo "FAIL: $*" >&2
    exit 1
}

# pkg_unpack: the package's files under $PKG_TMP/root, as dpkg would put them in /.
pkg_unpack()
{
    PKG_ROOT="$PKG_TMP/root"
    dpkg-deb -x "$PKG_DEB" "$PKG_ROOT"
}
