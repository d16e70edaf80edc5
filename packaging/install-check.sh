#!/usr/bin/env bash
# Builds the Debian package from a build directory, installs it with apt as a
# user would, starts every program through its installed menu entry on Qt's
# offscreen platform, opens the manual page of every command, and removes the
# package again, checking that nothing of it is left. For CI, as root.
#
#   packaging/install-check.sh <build dir>
set -euo pipefail

build=$(cd "${1:?usage: install-check.sh <build dir>}" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

(cd "$work" && cpack -G DEB --config "$build/CPackConfig.cmake" >cpack.log) || { cat "$work/cpack.log"; exit 1; }
deb=$(echo "$work"/*.deb)
package=$(dpkg-deb -f "$deb" Package)
echo "== installing $(basename "$deb")"
DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "$deb" >/dev/null
# The files and links the package installed (not its folders).
dpkg -L "$package" | while read -r path; do
  if [ -L "$path" ] || [ -f "$path" ]; then echo "$path"; fi
done >"$work/files"

status=0
mapfile -t entries < <(grep -E '^/usr/share/applications/.*\.desktop$' "$work/files")
echo "== starting the ${#entries[@]} menu entries"
for entry in "${entries[@]}"; do
  program=$(sed -n 's/^Exec=//p' "$entry")
  # A program that starts keeps running until it is closed: still running after
  # three seconds means its window opened; an earlier exit means it failed.
  set +e
  (cd / && QT_QPA_PLATFORM=offscreen timeout 3 "$program" >"$work/out" 2>&1)
  rc=$?
  set -e
  if [ $rc -eq 124 ]; then
    echo "ok   $program ($(basename "$entry"))"
  else
    echo "FAIL $program ($(basename "$entry")) ended with status $rc:"
    cat "$work/out"
    status=1
  fi
done
# shellcheck source=SCRIPTDIR/../tools/registry.sh
source "$(dirname "$0")/../tools/registry.sh"
expected=$(registry_programs | wc -l)
[ ${#entries[@]} -eq "$expected" ] || { echo "FAIL expected $expected menu entries, found ${#entries[@]}"; status=1; }

mapfile -t commands < <(grep -E '^/usr/bin/' "$work/files" | xargs -rn1 basename)
echo "== the manual pages of the ${#commands[@]} commands"
for command in "${commands[@]}"; do
  if page=$(man -w "$command" 2>&1) && man -P cat "$command" 2>&1 | grep -q "^NAME"; then
    echo "ok   man $command ($page)"
  else
    echo "FAIL man $command: $page"
    status=1
  fi
done

echo "== removing $package"
DEBIAN_FRONTEND=noninteractive apt-get remove -y -qq "$package" >/dev/null
left=$(while read -r path; do if [ -e "$path" ] || [ -L "$path" ]; then echo "$path"; fi; done <"$work/files")
[ -z "$left" ] || { echo "FAIL left behind after removal:"; echo "$left"; status=1; }
state=$(dpkg-query -W -f='${db:Status-Status}' "$package" 2>/dev/null || true)
[ -z "$state" ] || [ "$state" = not-installed ] || { echo "FAIL $package is still known to dpkg as $state"; status=1; }
[ $status -ne 0 ] || echo "the package installs, starts every program, opens every manual page and removes cleanly"
exit $status
