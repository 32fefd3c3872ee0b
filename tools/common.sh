# Shared by run-editor and run-tests: installs what is missing, configures and builds.
set -euo pipefail

Q7X_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
Q7X_PACKAGES=(g++ cmake make pkg-config ccache juce-modules-source libgtest-dev libbenchmark-dev
              xvfb openbox xdotool x11-utils x11-xserver-utils imagemagick xsettingsd)
# The release: the user guide (pandoc, weasyprint, pdftotext), the Debian package (dpkg-dev, lintian)
# and the checks of what it installs (desktop entry, metainfo, file type, man page).
Q7X_RELEASE_PACKAGES=(pandoc weasyprint fonts-dejavu-core poppler-utils dpkg-dev lintian
                      desktop-file-utils appstream shared-mime-info xdg-utils libglib2.0-bin man-db)
# What CI needs besides: clang and its runtime libraries for the fuzzers, clang-format for the layout check.
Q7X_CI_PACKAGES=(clang libclang-rt-14-dev clang-format-14)
# The CI stage on a real ALSA sequencer: Debian's kernel (fetched, never installed) booted by QEMU from a
# busybox initramfs made with kmod's depmod and modprobe.
Q7X_GUEST_PACKAGES=(qemu-system-x86 busybox-static kmod xz-utils)
# The Windows build: MinGW-w64 (posix threads, for std::thread), its zlib, Wine to run the tests and the
# programs, NSIS for the installer; dpkg-dev for apt-get source (libpng and libjpeg-turbo, built static).
# Wine installs without its recommended packages like everything here: its fonts would change the Linux
# pixel tests.
Q7X_WINDOWS_PACKAGES=(g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix libz-mingw-w64-dev
                      wine wine64 nsis dpkg-dev)

# q7x_install_missing [EXTRA_PACKAGE...]: installs those of Q7X_PACKAGES and the extras that are missing.
q7x_install_missing()
{
    local missing=()
    for p in "${Q7X_PACKAGES[@]}" "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo=sudo
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

# q7x_build DIR [extra cmake args...]
q7x_build()
{
    local dir=$1; shift
    cmake -S "$Q7X_ROOT" -B "$dir" "$@" >/dev/null
    cmake --build "$dir" --parallel "$(nproc)"
}

# Starts Xvfb with openbox when no display is there; JUCE's X11 windows need a window manager.
q7x_ensure_display()
{
    if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then return 0; fi
    local n=99
    while [ -e /tmp/.X$n-lock ]; do n=$((n + 1)); done
    Xvfb ":$n" -screen 0 1920x1080x24 -nolisten tcp >/dev/null 2>&1 &
    Q7X_XVFB_PID=$!
    export DISPLAY=":$n"
    for _ in $(seq 100); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.05; done
    openbox >/dev/null 2>&1 &
    Q7X_OPENBOX_PID=$!
    trap 'kill $Q7X_OPENBOX_PID $Q7X_XVFB_PID 2>/dev/null || true' EXIT
    sleep 0.3
}
