#!/usr/bin/env bash
# Renders the contact sheet: one PNG with mock-ups of the main window and the
# picture window, every wallpaper tile repeated 3 x 3, all window artwork and
# the puzzle pictures (when present).
# Usage: tools/contact_sheet.sh [out.png] [wallpaper number for the big mock-up]
set -euo pipefail
cd "$(dirname "$0")/.."
out="${1:-build/contact_sheet.png}"
wallpaper="${2:-101}"
cmake -S . -B build/artwork -DCMAKE_BUILD_TYPE=Release -DTAVORO_BUILD_TESTS=OFF \
  -DTAVORO_BUILD_ARTWORK_TOOLS=ON >/dev/null
cmake --build build/artwork --target tavoro_contact_sheet -j"$(nproc)" >/dev/null
mkdir -p "$(dirname "$out")"
QT_QPA_PLATFORM=offscreen build/artwork/tavoro_contact_sheet resources "$out" "$wallpaper"
