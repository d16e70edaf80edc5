#!/usr/bin/env bash
# with_xvfb.sh <command> [argument...]: runs the command with DISPLAY on a
# private Xvfb display, started for it and stopped after it.
set -euo pipefail
work=$(mktemp -d)
# shellcheck source=SCRIPTDIR/../../tools/xvfb.sh
source "$(dirname "${BASH_SOURCE[0]}")/../../tools/xvfb.sh"
trap 'stop_xvfb; rm -rf "$work"' EXIT
start_xvfb
status=0
"$@" || status=$?
exit $status
