# Shared by run-editor and run-tests: installs what is missing, configures and builds.
set -euo pipefail

Q7X_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
Q7X_PACKAGES=(g++ cmake make pkg-config ccache juce-modules-source libgtest-dev libbenchmark-dev
              xvfb openbox xdotool xclip x11-utils x11-xserver-utils imagemagick xsettingsd fonts-roboto-unhinted)
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
    local n fdfile
    fdfile=$(mktemp)
    Q7X_XVFB_PID=""
    # The server says its number once it takes clients. A number whose server is still going away
    # has no lock file but keeps its socket: that Xvfb exits at once, and the next number is tried.
    for n in $(seq 99 150); do
        [ -e "/tmp/.X$n-lock" ] && continue
        : >"$fdfile"
        Xvfb ":$n" -displayfd 3 -screen 0 1920x1080x24 -nolisten tcp 3>"$fdfile" >/dev/null 2>&1 &
        Q7X_XVFB_PID=$!
        for _ in $(seq 400); do
            { [ -s "$fdfile" ] || ! kill -0 "$Q7X_XVFB_PID" 2>/dev/null; } && break
            sleep 0.05
        done
        [ -s "$fdfile" ] && break
        kill "$Q7X_XVFB_PID" 2>/dev/null || true
        Q7X_XVFB_PID=""
    done
    rm -f "$fdfile"
    [ -n "$Q7X_XVFB_PID" ] || { echo "Xvfb did not start" >&2; return 1; }
    export DISPLAY=":$n"
    openbox >/dev/null 2>&1 &
    Q7X_OPENBOX_PID=$!
    trap 'kill $Q7X_OPENBOX_PID $Q7X_XVFB_PID 2>/dev/null || true' EXIT
    # Windows opened before the window manager runs are managed late, or not at all: on a loaded
    # machine it can take a while to announce itself.
    for _ in $(seq 400); do
        xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id" && break
        sleep 0.05
    done
}
