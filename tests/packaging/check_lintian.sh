#!/usr/bin/env bash
# lintian's verdict on the package check_package.sh built: no error, warning,
# informational, pedantic or experimental tag, save those the package's
# lintian overrides name, each of which must give its reason in a comment
# line right above it.
#
#   check_lintian.sh <folder holding the .deb> <lintian overrides file>
set -uo pipefail

folder=$1 overrides=$2
command -v lintian >/dev/null || { echo "FAIL: lintian is not installed"; exit 1; }
debs=("$folder"/*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || { echo "FAIL: expected one .deb in $folder, found: ${debs[*]}"; exit 1; }

status=0
# An override with no reason above it.
unexplained=$(awk '!/^#/ && NF && prev !~ /^#/ { print FILENAME ":" FNR ": " $0 } { prev = $0 }' "$overrides")
if [ -n "$unexplained" ]; then
  echo "FAIL: lintian overrides without a reason on the line above:"
  echo "$unexplained"
  status=1
fi

# Overridden tags are shown too (O:, with their reasons as N: lines), so the
# tags are judged from the output: lintian's --fail-on would count those too.
# An override that no longer matches anything is itself a tag (unused-override).
output=$(lintian --display-info --display-level +pedantic --display-experimental --show-overrides \
                 --fail-on none "${debs[0]}" 2>&1)
rc=$?
echo "$output"
if [ $rc -ne 0 ]; then
  echo "FAIL: lintian could not check the package (status $rc)"
  status=1
elif echo "$output" | grep -qE '^[EWIPX]: '; then
  echo "FAIL: lintian reports the tags above that start with E:, W:, I:, P: or X:"
  status=1
fi
[ $status -eq 0 ] && echo "lintian: no tag beyond the overrides with their reasons"
exit $status
