#!/usr/bin/env bash
# shellcheck -S warning over tools/ and packaging/*.sh, exactly as a developer
# runs it: every file of tools/ is a shell script (the Python programs behind
# tools/mutate and tools/include-graph live with the tests they serve).
set -uo pipefail
cd "$(dirname "$0")/../.." || exit 2
shellcheck -S warning tools/* packaging/*.sh
