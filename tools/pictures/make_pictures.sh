#!/usr/bin/env bash
# Builds the generator and draws the sixteen puzzle pictures again into
# resources/BITMAP/201-216.bmp. The output is the same on every run.
#   tools/pictures/make_pictures.sh [number ...]
set -euo pipefail
cd "$(dirname "$0")/../.."
cmake -S . -B build/pictures -DTAVORO_BUILD_PICTURE_TOOLS=ON -DTAVORO_BUILD_TESTS=OFF \
  -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/pictures --target make_pictures -j2 >/dev/null
QT_QPA_PLATFORM=offscreen build/pictures/make_pictures resources/BITMAP "$@"
