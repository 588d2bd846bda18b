#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test headless.
set -euo pipefail
cd "$(dirname "$0")"
scripts/deps.sh test
# A compiler cache, when one is installed, makes rebuilds quick.
launcher=()
if command -v ccache >/dev/null 2>&1; then launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache); fi
cmake -S . -B build/test -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTAVORO_BUILD_TESTS=ON "${launcher[@]}" >/dev/null
cmake --build build/test -j"$(nproc)"
export QT_QPA_PLATFORM=offscreen
export SDL_AUDIODRIVER=dummy
cd build/test
ctest --output-on-failure -j"$(nproc)"
