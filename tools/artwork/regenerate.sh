#!/usr/bin/env bash
# Draws the wallpaper tiles (resources/BITMAP/101-115.bmp), the empty-place
# picture (resources/art/leer.bmp) and the icon's PNG render
# (resources/art/icon/tavoro.png) again. Commit what changes.
set -euo pipefail
cd "$(dirname "$0")/../.."
cmake -S . -B build/artwork -DCMAKE_BUILD_TYPE=Release -DTAVORO_BUILD_TESTS=OFF \
  -DTAVORO_BUILD_ARTWORK_TOOLS=ON >/dev/null
cmake --build build/artwork --target tavoro_artwork -j"$(nproc)" >/dev/null
QT_QPA_PLATFORM=offscreen build/artwork/tavoro_artwork resources
