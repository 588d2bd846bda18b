#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test headless: first the
# normal build (build/test), then the same tests built with AddressSanitizer
# and UndefinedBehaviorSanitizer (build/asan). The last lines printed are the
# sanitizer run's ctest summary.
#   ./test.sh              both runs
#   ./test.sh --no-sanitize   the normal run only (a quick loop)
set -euo pipefail
cd "$(dirname "$0")"
sanitize=1
if [ "${1:-}" = --no-sanitize ]; then sanitize=0; fi
scripts/deps.sh test
# A compiler cache makes rebuilds quick. Paths are hashed relative to the
# checkout, so a second clone of the same tree (a CI run, a worktree) finds
# what the first one compiled.
launcher=()
if command -v ccache >/dev/null 2>&1; then
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
  export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=1
fi
jobs="$(nproc)"
export QT_QPA_PLATFORM=offscreen
export SDL_AUDIODRIVER=dummy

run_tests() {  # build folder, extra cmake options...
  local dir=$1; shift
  cmake -S . -B "$dir" -DTAVORO_BUILD_TESTS=ON "${launcher[@]}" "$@" >/dev/null
  cmake --build "$dir" -j"$jobs"
  (cd "$dir" && ctest --output-on-failure -j"$jobs")
}

run_tests build/test -DCMAKE_BUILD_TYPE=RelWithDebInfo
if [ "$sanitize" = 1 ]; then
  echo "== The same tests under AddressSanitizer and UndefinedBehaviorSanitizer =="
  run_tests build/asan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTAVORO_SANITIZE=ON
fi
