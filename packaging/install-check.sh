#!/usr/bin/env bash
# Builds the Debian package from a build directory, installs it with apt as a
# user would, starts every program through its installed menu entry on Qt's
# offscreen platform, and removes the package again. For CI, as root.
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

status=0
entries=(/usr/share/applications/forms-*.desktop)
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
source "$(dirname "$0")/../tools/registry.sh"
expected=$(registry_programs | wc -l)
[ ${#entries[@]} -eq "$expected" ] || { echo "FAIL expected $expected menu entries, found ${#entries[@]}"; status=1; }

echo "== removing $package"
DEBIAN_FRONTEND=noninteractive apt-get remove -y -qq "$package" >/dev/null
left=$(ls /usr/share/applications/forms-*.desktop /usr/bin/trafficlight 2>/dev/null || true)
[ -z "$left" ] || { echo "FAIL left behind after removal: $left"; status=1; }
exit $status
