#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Gives every source file of the game the licence of the code as an SPDX
# identifier in its first line (after a "#!" line, where there is one):
#   tools/spdx_headers.sh           adds the line where it is missing
#   tools/spdx_headers.sh --check   lists the files without it; fails if any
# Running it again changes nothing. The media (pictures, sounds, music, help
# pages) carry no such line: debian/copyright names their licence.
set -euo pipefail
cd "$(dirname "$0")/.."

readonly ID="SPDX-License-Identifier: GPL-3.0-or-later"
check=0
if [ "${1:-}" = --check ]; then check=1; fi

# The code: C++ and C, CMake, shell and Python, and the scripts without an
# ending; build folders are not the tree's.
sources() {
  find . \( -path ./.git -o -path './build*' -o -path './obj-*' -o -path ./debian/tavoro \
            -o -path ./debian/.debhelper -o -path ./debian/tmp -o -path ./tests/fixtures -o -path ./tests/fuzz/corpus \) -prune \
       -o -type f \( -name '*.cpp' -o -name '*.h' -o -name '*.c' -o -name '*.cmake' \
            -o -name CMakeLists.txt -o -name '*.sh' -o -name '*.py' \) -print
  local f
  for f in .ci/run debian/rules; do
    if [ -f "$f" ]; then echo "./$f"; fi
  done
}

comment_for() {
  case "$1" in
    *.cpp | *.h | *.c) echo "// $ID" ;;
    *) echo "# $ID" ;;
  esac
}

missing=0
while IFS= read -r file; do
  file=${file#./}
  if head -n 2 "$file" | grep -q 'SPDX-License-Identifier:'; then continue; fi
  missing=$((missing + 1))
  if [ "$check" = 1 ]; then
    echo "no SPDX identifier: $file"
    continue
  fi
  line=$(comment_for "$file")
  if head -c 2 "$file" | grep -q '^#!'; then
    sed -i "1a\\$line" "$file"
  else
    sed -i "1i\\$line" "$file"
  fi
done < <(sources | LC_ALL=C sort)

if [ "$check" = 1 ]; then
  if [ "$missing" -gt 0 ]; then
    echo "$missing source files lack the line '$ID' (tools/spdx_headers.sh adds it)"
    exit 1
  fi
  echo "every source file names its licence"
elif [ "$missing" -gt 0 ]; then
  echo "added the SPDX identifier to $missing files"
fi
