# Shared by ./run and ./test: installs what the build needs on Debian 12 (with apt,
# as root or through sudo) and offers build().
set -euo pipefail

# The build and the fonts the windows name; desktop-file-utils and dpkg-dev for
# the package tests; valgrind, xdotool and Xvfb for the memcheck tests; Xlib for
# the start-up benchmark.
packages=(cmake g++ make qt6-base-dev fonts-liberation fonts-urw-base35 fonts-comic-neue fonts-dejavu-core
  desktop-file-utils dpkg-dev valgrind xdotool xvfb libx11-dev)

install_missing() {
  local missing=()
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=()
  [ "$(id -u)" -ne 0 ] && sudo=(sudo)
  "${sudo[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# build <preset>: configures and builds one of CMakePresets.json's presets.
build() {
  (cd "$root" && cmake --preset "$1" >/dev/null && cmake --build --preset "$1")
}

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
install_missing "${packages[@]}"
