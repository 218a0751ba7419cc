#!/usr/bin/env bash
# Installs the Debian 12 packages that are missing for building (build), or
# for building and running every test (test), or for the benchmarks (bench). Quiet when nothing is missing.
set -euo pipefail

build=(build-essential cmake ninja-build qt6-base-dev libxkbcommon-dev
       qt6-translations-l10n fonts-dejavu-core libfontconfig-dev libxcb1-dev
       adwaita-icon-theme hicolor-icon-theme qt6-wayland libsqlite3-dev)
test=("${build[@]}"
      libbenchmark-dev
      xvfb xauth xdotool xclip x11-utils imagemagick
      shared-mime-info
      binutils-mingw-w64-x86-64 binutils-mingw-w64-i686 nsis
      python3 python3-pil python3-xlib icoutils
      clang-14 libclang-rt-14-dev libx11-dev
      desktop-file-utils dpkg-dev file time
      at-spi2-core python3-pyatspi dbus-daemon
      lintian appstream debootstrap
      openbox xfwm4 metacity wmctrl libxdamage-dev
      weston wl-clipboard)

bench=("${test[@]}" mtpaint bc pkg-config gcc libxdamage-dev)

case "${1:-build}" in
  build) wanted=("${build[@]}") ;;
  test) wanted=("${test[@]}") ;;
  bench) wanted=("${bench[@]}") ;;
  *) echo "usage: $0 [build|test|bench]" >&2; exit 2 ;;
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
