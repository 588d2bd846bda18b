#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test headless.
set -euo pipefail
cd "$(dirname "$0")"
scripts/deps.sh test
cmake -S . -B build/test -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTAVORO_BUILD_TESTS=ON >/dev/null
cmake --build build/test -j"$(nproc)"
export QT_QPA_PLATFORM=offscreen
export SDL_AUDIODRIVER=dummy
cd build/test
ctest --output-on-failure -j"$(nproc)"
