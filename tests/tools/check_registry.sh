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
  FAMILY chase FORM chase::Form1 HEADER chase.h ICON chase
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

# The function an entry's window is built from: by default the one of its class's
# namespace named as its id (the ASCII id where the executable's name is not
# one); VARIANT names another.
{ entry "plain"; echo ")"; entry "ΩΜΕΓΑ"; echo "  ID omega)"; entry "other"; echo "  VARIANT chase::chase2)"; } \
  >"$SCRATCH/variants.cmake"
cat >"$SCRATCH/variants_of.cmake" <<'SCRIPT'
cmake_minimum_required(VERSION 3.25)
include(${ROOT}/cmake/FormsRegistry.cmake)
foreach(id IN LISTS FORMS_PROGRAMS)
  forms_program_get(${id} VARIANT variant)
  execute_process(COMMAND ${CMAKE_COMMAND} -E echo "${id} ${variant}")
endforeach()
SCRIPT
variants=$(cmake -DROOT="$(dirname "$0")/../.." -DFORMS_REGISTRY="$SCRATCH/variants.cmake" -P "$SCRATCH/variants_of.cmake" 2>&1) ||
  fail "the registry's reader failed on $SCRATCH/variants.cmake: $variants"
[ "$variants" = $'plain chase::plain\nomega chase::omega\nother chase::chase2' ] ||
  fail "the registry's reader gives the variants '$variants' for $SCRATCH/variants.cmake"

# A registry the build refuses: the tools refuse it too, naming the fault.
{ entry "twice"; echo ")"; entry "twice"; echo ")"; } >"$SCRATCH/twice.cmake"
if out=$(FORMS_REGISTRY=$SCRATCH/twice.cmake registry_programs 2>&1); then
  fail "registry_programs accepts an id used twice: $out"
elif [[ $out != *"the id twice is used twice"* ]]; then
  fail "registry_programs refuses an id used twice without saying so: $out"
fi

[ $failures -eq 0 ] || exit 1
echo "registry_programs lists the build's $# programs and reads the registry as the build does"
