#!/usr/bin/env bash
# Builds the Debian source and binary packages with dpkg-buildpackage from the
# tree's tracked files (changes not yet committed included), checks them with
# lintian, then builds them a second time and checks that both builds gave
# the same bytes. The packages end up in build/deb/:
#   tavoro_<version>.dsc, tavoro_<upstream>.orig.tar.xz, tavoro_<version>.debian.tar.xz,
#   tavoro_<version>_<arch>.deb, tavoro-dbgsym_<version>_<arch>.deb, tavoro_<version>_<arch>.changes
# Install the game with: sudo apt-get install ./build/deb/tavoro_*_amd64.deb
#   scripts/package.sh           build, lintian, build again and compare
#   scripts/package.sh --once    build and lintian only
#   scripts/package.sh --source  the source package alone and its lintian (quick:
#                                nothing is compiled; the test run uses it)
# A compiler cache, when installed, serves both builds (the same folder, the
# same flags); TAVORO_NO_CCACHE=1 builds without it.
set -euo pipefail
cd "$(dirname "$0")/.."
mode=${1:-twice}
if [ "$mode" != --source ]; then scripts/deps.sh package; fi

version=$(dpkg-parsechangelog -S Version)
upstream=${version%-*}
arch=$(dpkg --print-architecture)
# Every date in the packages is the changelog's (dpkg-buildpackage sets it
# too; the tarballs are made here).
SOURCE_DATE_EPOCH=$(dpkg-parsechangelog -S Timestamp)
export SOURCE_DATE_EPOCH
root=${TAVORO_DEB_ROOT:-$PWD/build/deb}
work=$root/work            # dpkg-buildpackage writes beside the tree
tree=$work/tavoro-$upstream

if [ "${TAVORO_NO_CCACHE:-0}" != 1 ] && command -v ccache >/dev/null 2>&1; then
  export CMAKE_CXX_COMPILER_LAUNCHER=ccache CMAKE_C_COMPILER_LAUNCHER=ccache
  export CCACHE_BASEDIR=$tree CCACHE_NOHASHDIR=1
fi

# The tracked files that are there, NUL-separated.
tracked() {
  git ls-files -z | while IFS= read -r -d '' f; do
    if [ -e "$f" ] || [ -L "$f" ]; then printf '%s\0' "$f"; fi
  done
}

# A tar of the files listed on standard input under tavoro-<upstream>/, the
# same bytes for the same files.
pack() {
  tar -c --null -T - --sort=name --mtime="@$SOURCE_DATE_EPOCH" --owner=0 --group=0 \
    --numeric-owner --mode=go-w --transform="flags=r;s,^,tavoro-$upstream/," \
    --pax-option=exthdr.name=%d/PaxHeaders/%f,delete=atime,delete=ctime
}

# The upstream tarball (everything but debian/) and the whole tree, made once
# from the files as they are now, so that both builds start from the same.
snapshot() {
  rm -rf "$root"
  mkdir -p "$root"
  tracked | grep -zv '^debian/' | pack | xz -6 -T1 > "$root/tavoro_$upstream.orig.tar.xz"
  tracked | pack > "$root/tree.tar"
}

# A fresh tree to build in, beside the upstream tarball.
prepare() {
  rm -rf "$work"
  mkdir -p "$work"
  cp "$root/tavoro_$upstream.orig.tar.xz" "$work/"
  tar -x -C "$work" -f "$root/tree.tar"
}

build() {
  prepare
  echo "== dpkg-buildpackage -us -uc in $tree (log: $work.log)"
  if ! (cd "$tree" && dpkg-buildpackage -us -uc -j"$(nproc)") > "$work.log" 2>&1; then
    tail -n 40 "$work.log"
    echo "dpkg-buildpackage failed (whole log: $work.log)"
    exit 1
  fi
}

packages() {  # folder: what is compared between the builds
  (cd "$1" && ls tavoro_*.dsc tavoro_*.tar.xz tavoro*_"$arch".deb)
}

# Nothing above info may remain; the info and pedantic tags left are explained
# in debian/*lintian-overrides or in the README (Installing).
check() {
  lintian --pedantic --display-info --fail-on error,warning "$@"
}

snapshot
if [ "$mode" = --source ]; then
  prepare
  (cd "$work" && dpkg-source -b "tavoro-$upstream") > "$work.log" 2>&1 || { cat "$work.log"; exit 1; }
  echo "== lintian --pedantic on the source package"
  check "$work/tavoro_$version.dsc"
  exit 0
fi

build
echo "== lintian --pedantic on the source and binary packages"
check "$work/tavoro_${version}_$arch.changes"

if [ "$mode" != --once ]; then
  rm -rf "$root/first"
  mv "$work" "$root/first"
  mv "$work.log" "$root/first.log"
  build
  echo "== The second build against the first"
  same=1
  for f in $(packages "$root/first"); do
    if cmp -s "$root/first/$f" "$work/$f"; then
      echo "same bytes: $f"
    else
      echo "DIFFERENT: $f"
      same=0
    fi
  done
  if [ "$same" = 0 ]; then
    echo "the two builds differ (diffoscope shows where)"
    exit 1
  fi
  rm -rf "$root/first"
fi
rm -f "$root/tree.tar"

for f in $(packages "$work") "tavoro_${version}_$arch.changes" "tavoro_${version}_$arch.buildinfo"; do
  cp "$work/$f" "$root/"
done
echo "== Packages in build/deb:"
(cd "$root" && ls -1 tavoro*)
