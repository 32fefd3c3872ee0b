#!/usr/bin/env bash
# Regenerates the SVG sources and renders them to the committed PNGs: each image at its own size,
# and again at twice its size into assets/2x/ for screens with two or more pixels per point.
# Needs rsvg-convert (Debian package librsvg2-bin) and the DejaVu fonts (fonts-dejavu-core);
# installs them when missing. Rendering sees only the DejaVu fonts, so the result does not
# depend on what else is installed.
set -euo pipefail

src="$(cd "$(dirname "$0")" && pwd)"
assets="$(dirname "$src")"
fonts=/usr/share/fonts/truetype/dejavu

missing=()
command -v rsvg-convert >/dev/null || missing+=(librsvg2-bin)
[ -f "$fonts/DejaVuSans-Bold.ttf" ] || missing+=(fonts-dejavu-core)
command -v python3 >/dev/null || missing+=(python3)
if [ ${#missing[@]} -gt 0 ]; then
    sudo_cmd=""
    [ "$(id -u)" -eq 0 ] || sudo_cmd=sudo
    $sudo_cmd apt-get update
    $sudo_cmd apt-get install -y --no-install-recommends "${missing[@]}"
fi

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cat > "$work/fonts.conf" <<CONF
<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "fonts.dtd">
<fontconfig>
  <dir>$fonts</dir>
  <cachedir>$work/cache</cachedir>
  <config></config>
</fontconfig>
CONF
export FONTCONFIG_FILE="$work/fonts.conf"

python3 "$src/generate.py"

mkdir -p "$assets/2x"
for svg in "$src"/svg/*.svg; do
    name="$(basename "$svg" .svg)"
    rsvg-convert --format png -o "$assets/$name.png" "$svg"
    rsvg-convert --format png --zoom 2 -o "$assets/2x/$name.png" "$svg"
done

mkdir -p "$assets/icon"
for size in 256 128 48; do
    rsvg-convert --format png -w "$size" -h "$size" -o "$assets/icon/q7x-editor-$size.png" "$src/icon/q7x-editor.svg"
done

echo "rendered $(ls "$src"/svg/*.svg | wc -l) images (also at 2x) and the icon into $assets" >&2
