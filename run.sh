#!/usr/bin/env bash
# Installs what is missing, builds the game and starts it.
set -euo pipefail
cd "$(dirname "$0")"
scripts/deps.sh build
# A compiler cache, when one is installed, makes rebuilds quick.
launcher=()
if command -v ccache >/dev/null 2>&1; then launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache); fi
cmake -S . -B build/release -DCMAKE_BUILD_TYPE=Release -DTAVORO_BUILD_TESTS=OFF "${launcher[@]}" >/dev/null
cmake --build build/release -j"$(nproc)"
exec build/release/Tavoro
