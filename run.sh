#!/usr/bin/env bash
# Installs what is missing, builds the game and starts it.
set -euo pipefail
cd "$(dirname "$0")"
scripts/deps.sh build
cmake -S . -B build/release -DCMAKE_BUILD_TYPE=Release -DTAVORO_BUILD_TESTS=OFF >/dev/null
cmake --build build/release -j"$(nproc)"
exec build/release/Tavoro
