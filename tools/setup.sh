# shellcheck shell=bash
# Shared by ./run, ./test and the tools: installs what the build needs on Debian 12
# (with apt, as root or through sudo) and offers build().
set -euo pipefail

# What building and running a program needs: the compiler, Qt with its Wayland
# platform (for Wayland desktops without Xwayland), the fonts the windows name,
# and dpkg-dev for Debian's hardening flags (dpkg-buildflags).
# shellcheck disable=SC2034  # read by the scripts that source this file
build_packages=(cmake g++ make qt6-base-dev qt6-wayland fonts-liberation fonts-urw-base35 fonts-comic-neue fonts-dejavu-core
  dpkg-dev)
# What the tests need besides: file (CPack finds the programs with it),
# desktop-file-utils, appstream, lintian and man-db for the package tests;
# valgrind, xdotool and Xvfb for the memcheck tests and the X11 checks; Xlib for
# the start-up benchmark and the X11 checks; the zone data for the system
# clock's test in zones far from UTC; Qt's platform headers for the
# accessibility test, which turns accessibility on, and xauth for its run on X11
# (through xvfb-run); strace for the race's system calls and weston for the
# programs on a Wayland compositor; shellcheck for the check of the shell tools;
# clang with its libFuzzer runtime for tools/fuzz and the AT-SPI Python
# bindings for tools/a11y-tree, both run by the tools' tests.
# The screen reader's stack, for tools/screen-reader and the screen_reader
# tests: Orca, speech (speech-dispatcher, espeak-ng, libao for a machine without
# a sound card), the AT-SPI bus, a window manager, an X server and the tools to
# drive them; locales for running under el_GR.UTF-8.
screen_reader_packages=(orca speech-dispatcher speech-dispatcher-espeak-ng espeak-ng at-spi2-core openbox xvfb xdotool
  dbus-x11 libao4 locales)
# shellcheck disable=SC2034
test_packages=(file desktop-file-utils appstream lintian man-db valgrind xdotool xvfb libx11-dev tzdata strace weston
  qt6-base-private-dev xauth shellcheck clang libclang-rt-14-dev python3-pyatspi "${screen_reader_packages[@]}")

# install_missing <package>...: says which packages are missing, then installs them.
install_missing() {
  local missing=()
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing with apt: ${missing[*]}"
  local sudo=()
  [ "$(id -u)" -ne 0 ] && sudo=(sudo)
  "${sudo[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# build <preset> [target...]: configures one of CMakePresets.json's presets and
# builds the targets named, or everything.
build() {
  local preset=$1
  shift
  local targets=()
  [ $# -gt 0 ] && targets=(--target "$@")
  echo "Configuring the $preset build (cmake --preset $preset)"
  (cd "$root" && cmake --preset "$preset" >/dev/null && cmake --build --preset "$preset" "${targets[@]}")
}

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
