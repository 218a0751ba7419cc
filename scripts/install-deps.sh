#!/usr/bin/env bash
# Installs the Debian 12 packages that are missing for building (build), for
# building and running the ctest suite (test), for the fuzz targets (fuzz), for
# the package check (package) or for the benchmarks (bench). Quiet when nothing
# is missing.
set -euo pipefail

build=(build-essential cmake ninja-build qt6-base-dev libxkbcommon-dev
       qt6-translations-l10n fonts-dejavu-core libfontconfig-dev libxcb1-dev
       pkg-config adwaita-icon-theme hicolor-icon-theme qt6-wayland libsqlite3-dev
       qt6-tools-dev qt6-l10n-tools)
test=("${build[@]}"
      libbenchmark-dev
      xvfb xauth xdotool xclip x11-utils imagemagick
      shared-mime-info
      binutils-mingw-w64-x86-64 binutils-mingw-w64-i686 nsis
      python3 python3-pil python3-xlib icoutils libx11-dev
      desktop-file-utils
      at-spi2-core python3-pyatspi dbus-daemon
      openbox xfwm4 metacity wmctrl libxdamage-dev
      weston wl-clipboard)

# Debian's default clang (14 on Debian 12) and its runtime, which holds libFuzzer.
fuzz=("${build[@]}" clang libclang-rt-dev)
package=("${build[@]}" dpkg-dev file lintian appstream debootstrap xvfb xauth)
bench=("${test[@]}" mtpaint bc gcc time libxdamage-dev)

case "${1:-build}" in
  build) wanted=("${build[@]}") ;;
  test) wanted=("${test[@]}") ;;
  fuzz) wanted=("${fuzz[@]}") ;;
  package) wanted=("${package[@]}") ;;
  bench) wanted=("${bench[@]}") ;;
  *) echo "usage: $0 [build|test|fuzz|package|bench]" >&2; exit 2 ;;
esac

missing=()
for p in "${wanted[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=()
[ "$(id -u)" -ne 0 ] && sudo=(sudo)
# env: sudo drops the caller's environment.
"${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq
"${sudo[@]}" env DEBIAN_FRONTEND=noninteractive \
  apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
