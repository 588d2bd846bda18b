#!/usr/bin/env bash
# Builds the Debian package build/package/tavoro_<version>_<arch>.deb with
# Debian's hardening flags. Install it with: sudo apt-get install ./build/package/tavoro_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh package
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
flags="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)"
launcher=()
if command -v ccache >/dev/null 2>&1; then launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache); fi
cmake -S . -B build/package -DCMAKE_BUILD_TYPE=Release -DTAVORO_BUILD_TESTS=OFF \
  -DCMAKE_INSTALL_PREFIX=/usr "-DCMAKE_CXX_FLAGS=$flags" \
  "-DCMAKE_EXE_LINKER_FLAGS=$(dpkg-buildflags --get LDFLAGS)" "${launcher[@]}" >/dev/null
cmake --build build/package -j"$(nproc)"
cd build/package
rm -f tavoro_*.deb
cpack -G DEB
