#!/usr/bin/env bash
# The shell tools read programs/registry.cmake as the build does: registry_programs
# lists exactly the build's programs, reads an entry however it is laid out, and
# refuses a registry the build refuses, saying why.
#
#   check_registry.sh "<executable> <target>"...   (the build's list; $SCRATCH a scratch folder)
set -uo pipefail
# shellcheck source=SCRIPTDIR/../../tools/registry.sh
source "$(dirname "$0")/../../tools/registry.sh"

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

expected=$(printf '%s\n' "$@")
listed=$(registry_programs) || fail "registry_programs failed on programs/registry.cmake"
[ "$listed" = "$expected" ] || fail "registry_programs lists"$'\n'"$listed"$'\n'"where the build has"$'\n'"$expected"

# Entries laid out as the build accepts them: the ID last, over several lines,
# with comments and blank lines between the words.
mkdir -p "$SCRATCH"
entry() {
  cat <<ENTRY
forms_program($1
  FAMILY chase FORM chase::Form1<chase::Chase> HEADER chase.h ICON chase
  CATEGORIES Game
  NAME "No" NAME_EN "No" COMMENT "Says no" COMMENT_EN "Says no"
  DESCRIPTION_EN "It says no." KEYWORDS όχι KEYWORDS_EN no SHOTS "no"
ENTRY
}
{
  entry "ΩΜΕΓΑ"; echo "  # the id, last"; echo; echo "  ID omega)"
  echo "forms_program("; echo "  plain"; entry "" | tail -n +2; echo ")"
} >"$SCRATCH/layout.cmake"
listed=$(FORMS_REGISTRY=$SCRATCH/layout.cmake registry_programs) || fail "registry_programs failed on $SCRATCH/layout.cmake"
[ "$listed" = $'ΩΜΕΓΑ omega\nplain plain' ] || fail "registry_programs lists '$listed' for $SCRATCH/layout.cmake"

# A registry the build refuses: the tools refuse it too, naming the fault.
{ entry "twice"; echo ")"; entry "twice"; echo ")"; } >"$SCRATCH/twice.cmake"
if out=$(FORMS_REGISTRY=$SCRATCH/twice.cmake registry_programs 2>&1); then
  fail "registry_programs accepts an id used twice: $out"
elif [[ $out != *"the id twice is used twice"* ]]; then
  fail "registry_programs refuses an id used twice without saying so: $out"
fi

[ $failures -eq 0 ] || exit 1
echo "registry_programs lists the build's $# programs and reads the registry as the build does"
