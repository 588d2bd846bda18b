#!/usr/bin/env bash
# Builds the libFuzzer targets (clang, build/fuzz) and fuzzes them one after
# the other, each for the given seconds (default 600), at low priority.
#   tests/fuzz/run.sh [seconds] [target...]      targets: see cmake/fuzz.cmake
# The growing corpus lives in build/fuzz/corpus/<target> (started from the
# seeds in tests/fuzz/corpus/<target>); a crash leaves its input in
# build/fuzz/artifacts/<target>/. Copy such an input into the seed folder as
# regression-<what>.bin once its fault is mended.
set -euo pipefail
cd "$(dirname "$0")/../.."
seconds=${1:-600}
shift || true
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  targets=($(sed -n '/^set(TAVORO_FUZZ_TARGETS/,/^)/p' cmake/fuzz.cmake \
    | sed '1d;$d;s/#.*//' | tr -d ' '))
fi
scripts/deps.sh test
launcher=()
if command -v ccache >/dev/null 2>&1; then launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache); fi
cmake -S . -B build/fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
  -DTAVORO_FUZZ=ON -DTAVORO_BUILD_TESTS=OFF "${launcher[@]}" >/dev/null
cmake --build build/fuzz -j"$(nproc)" --target "${targets[@]/#/fuzz_}"
export QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy
for t in "${targets[@]}"; do
  mkdir -p "build/fuzz/corpus/$t" "build/fuzz/artifacts/$t"
  echo "== fuzz_$t for ${seconds}s"
  if nice -n 10 "build/fuzz/fuzz_$t" "build/fuzz/corpus/$t" "tests/fuzz/corpus/$t" \
      -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
      -artifact_prefix="build/fuzz/artifacts/$t/" >"build/fuzz/fuzz_$t.log" 2>&1; then
    tail -n 12 "build/fuzz/fuzz_$t.log"
  else
    tail -n 40 "build/fuzz/fuzz_$t.log"
    echo "fuzz_$t FOUND A FAULT: input in build/fuzz/artifacts/$t/"
    failed=1
  fi
done
exit "${failed:-0}"
