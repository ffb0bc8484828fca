#!/usr/bin/env bash
# Installs, from Debian's packages, whatever the build, the program and the
# tests need and the machine lacks. Sourced by the other scripts.
set -euo pipefail

OSTREVO_PACKAGES=(
  build-essential cmake pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-svg-dev qt6-multimedia-dev qt6-qpa-plugins libgl-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth x11-utils imagemagick fonts-liberation2 librsvg2-bin
  clang libclang-rt-14-dev
  dpkg-dev desktop-file-utils appstream lintian devscripts
  dbus at-spi2-core python3-pyatspi xdotool
  g++-mingw-w64-x86-64-posix googletest wine64
  emscripten node-acorn nodejs
)
# The browsers the page's tests drive (WebKitGTK's MiniBrowser with its
# WebDriver, under xvfb-run), and the C library's locale sources from which
# they compile the languages WebKit takes from the environment.
OSTREVO_PACKAGES+=(chromium firefox-esr webkit2gtk-driver locales)

ostrevo_install_missing() {
  local missing=()
  local package
  for package in "${OSTREVO_PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  echo "Installing: ${missing[*]}"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}
