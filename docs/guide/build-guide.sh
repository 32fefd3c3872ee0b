#!/usr/bin/env bash
# Builds the user guide PDF from user-guide.md, with pictures taken from the editor itself:
#   bash docs/guide/build-guide.sh <path-to-q7x-editor> <output.pdf>
# Offline: pandoc makes HTML, weasyprint lays it out as PDF. Intermediate files go beside the PDF.
set -euo pipefail
[ $# -eq 2 ] || { echo "usage: bash $(basename "$0") <path-to-q7x-editor> <output.pdf>" >&2; exit 2; }
here=$(cd "$(dirname "$0")" && pwd)
editor=$(readlink -f "$1")
mkdir -p "$(dirname "$2")"
pdf="$(cd "$(dirname "$2")" && pwd)/$(basename "$2")"
work="$(dirname "$pdf")/guide-work"
rm -rf "$work"
mkdir -p "$work"

# Run from the picture folder's parent, so that the session's leftovers stay in the build tree.
bash "$here/take-screenshots.sh" "$editor" "$work/shots" >"$work/screenshots.log" 2>&1 \
    || { tail -n 30 "$work/screenshots.log" >&2; echo "the guide's pictures could not be taken" >&2; exit 1; }

cp "$here/guide.css" "$work/"
pandoc "$here/user-guide.md" --from markdown --to html5 --standalone --toc --toc-depth=2 \
       --css guide.css --output "$work/guide.html"
weasyprint --base-url "$work/" "$work/guide.html" "$pdf.tmp"
mv "$pdf.tmp" "$pdf"
