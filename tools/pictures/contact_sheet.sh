#!/usr/bin/env bash
# Builds the picture tools and renders a contact sheet of the sixteen puzzle
# pictures (resources/BITMAP/201-216.bmp) with the 8 x 8 cut of some of them.
#   tools/pictures/contact_sheet.sh [sheet.png] [number to cut ...]
# Default: build/pictures/contact_sheet.png, cutting 201 and 215.
set -euo pipefail
cd "$(dirname "$0")/../.."
out=${1:-build/pictures/contact_sheet.png}
shift || true
cuts=("$@")
[ ${#cuts[@]} -eq 0 ] && cuts=(201 215)
cmake -S . -B build/pictures -DTAVORO_BUILD_PICTURE_TOOLS=ON -DTAVORO_BUILD_TESTS=OFF \
  -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/pictures --target picture_sheet -j2 >/dev/null
QT_QPA_PLATFORM=offscreen build/pictures/picture_sheet resources/BITMAP "$out" "${cuts[@]}"
QT_QPA_PLATFORM=offscreen build/pictures/picture_sheet --stats resources/BITMAP
echo "contact sheet: $out"
