# Shared by ./run, ./test and the tools: installs what the build needs on Debian 12
# (with apt, as root or through sudo) and offers build().
set -euo pipefail

# What building and running a program needs: the compiler, Qt, the fonts the
# windows name, and dpkg-dev for Debian's hardening flags (dpkg-buildflags).
build_packages=(cmake g++ make qt6-base-dev fonts-liberation fonts-urw-base35 fonts-comic-neue fonts-dejavu-core dpkg-dev)
# What the tests need besides: file (CPack finds the programs with it),
# desktop-file-utils, appstream, lintian and man-db for the package tests;
# valgrind, xdotool and Xvfb for the memcheck tests; Xlib for the start-up
# benchmark.
test_packages=(file desktop-file-utils appstream lintian man-db valgrind xdotool xvfb libx11-dev)

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
  (cd "$root" && cmake --preset "$preset" >/dev/null && cmake --build --preset "$preset" "${targets[@]}")
}

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
