#!/usr/bin/env bash
# Installs the Debian packages that are missing, and nothing else.
# Usage: scripts/deps.sh build|test|package
set -euo pipefail

build_pkgs=(cmake g++ make pkg-config ccache
  qt6-base-dev qt6-svg-dev libqt6svg6 qt6-qpa-plugins
  libfluidsynth-dev timgm6mb-soundfont libsdl2-dev libfontconfig-dev
  fonts-liberation fonts-dejavu-core fonts-comic-neue
  qt6-translations-l10n qt6-image-formats-plugins)
# clang and libFuzzer build the fuzz targets (the replays in the test run need
# only g++; its sanitizers come with it); the X11 tools serve bench/startup.sh,
# xclip puts a picture on the clipboard when pasting is tried by hand. The
# desktop tests (tests/desktop) read the program through the accessibility bus
# (at-spi2-core, python3-pyatspi) on Xvfb and on a headless Weston with Qt's
# Wayland plugin. ImageMagick's montage makes the windows' contact sheets
# (tools/window_sheet.sh). lintian checks the source package (Package.source).
test_pkgs=(lintian libgtest-dev libgmock-dev libbenchmark-dev clang libfuzzer-14-dev
  desktop-file-utils appstream
  xvfb x11-utils xdotool xclip libx11-dev libxdamage-dev gcc dbus
  at-spi2-core python3-pyatspi weston qt6-wayland imagemagick openbox)
# The Debian packages (scripts/package.sh): debhelper builds them, lintian
# checks them; the package's build runs the checks of the installed files.
package_pkgs=(dpkg-dev debhelper lintian xz-utils desktop-file-utils appstream)

wanted=("${build_pkgs[@]}")
case "${1:-build}" in
  test) wanted+=("${test_pkgs[@]}") ;;
  package) wanted+=("${package_pkgs[@]}") ;;
esac

missing=()
for p in "${wanted[@]}"; do
  status=$(dpkg-query -W -f='${db:Status-Abbrev}' "$p" 2>/dev/null || true)
  case "$status" in
    ii*) ;;
    *) missing+=("$p") ;;
  esac
done

[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
  sudo_cmd=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
