#!/usr/bin/env bash
# Contact sheets of the game's windows: every window (the room and its menus,
# the picture, wallpaper, champions, about and help windows, a question, a
# message and the name prompt) grabbed offscreen in each of the six
# languages, one PNG a language (windows-de.png ... windows-fr.png), to look
# for texts that are cut, overlap or are not translated.
# Builds tavoro_tests in build/test (or $TAVORO_BUILD_DIR) and runs its
# WindowSheet test once a language. Needs ImageMagick's montage.
# Usage: tools/window_sheet.sh [output folder, default /tmp/sheets]
set -euo pipefail
cd "$(dirname "$0")/.."
out="${1:-/tmp/sheets}"
build="${TAVORO_BUILD_DIR:-build/test}"
if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S . -B "$build" -DTAVORO_BUILD_TESTS=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
cmake --build "$build" --target tavoro_tests -j"${JOBS:-$(nproc)}" >/dev/null
mkdir -p "$out"
# An offscreen screen of the room's size: the room is grabbed as it looks on a
# 1280 x 800 desktop.
screen="$out/screen.json"
cat >"$screen" <<'EOF2'
{ "screens": [ { "name": "sheet", "x": 0, "y": 0, "width": 1280, "height": 800,
                 "logicalDpiX": 96, "logicalDpiY": 96, "dpr": 1 } ] }
EOF2
for lang in de en sv it es fr; do
  shots="$out/$lang"
  rm -rf "$shots"
  mkdir -p "$shots"
  QT_QPA_PLATFORM="offscreen:configfile=$screen" SDL_AUDIODRIVER=dummy TAVORO_SHEET_DIR="$shots" \
    TAVORO_SHEET_LANGUAGE="$lang" "$build/tavoro_tests" --gtest_also_run_disabled_tests \
    --gtest_filter='WindowSheet.*' >"$shots/run.log" 2>&1 ||
    { echo "the $lang pictures failed: see $shots/run.log" >&2; exit 1; }
  args=()
  while IFS=$'\t' read -r file label; do
    args+=(-label "$label" "$shots/$file")
  done <"$shots/index.tsv"
  montage -font DejaVu-Sans -pointsize 15 -background '#cfc6b4' -geometry +12+12 -tile 4x \
    -title "Tavoro: $lang" "${args[@]}" "$out/windows-$lang.png"
  echo "$out/windows-$lang.png"
done
