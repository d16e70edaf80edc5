#!/usr/bin/env bash
# The shell tools read the registry (the forms_program() entries of
# programs/*/CMakeLists.txt) as the build does: registry_programs lists exactly
# the build's programs, reads an entry however it is laid out, fills in what an
# entry leaves out, and refuses a registry the build refuses, saying why; and a
# configure of the build refuses it too.
#
#   check_registry.sh "<executable> <target>"...   (the build's list; $SCRATCH a scratch folder)
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=SCRIPTDIR/../../tools/registry.sh
source "$here/../../tools/registry.sh"

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

expected=$(printf '%s\n' "$@")
listed=$(registry_programs) || fail "registry_programs failed on programs/*/CMakeLists.txt"
[ "$listed" = "$expected" ] || fail "registry_programs lists"$'\n'"$listed"$'\n'"where the build has"$'\n'"$expected"

mkdir -p "$SCRATCH"
# A scratch tree of one family, "no", whose CMakeLists.txt is given on stdin.
tree() {
  local dir=$SCRATCH/$1
  rm -rf "$dir"
  mkdir -p "$dir/programs/no" "$dir/tests/programs/no"
  touch "$dir/programs/no/icon.cpp" "$dir/programs/no/no.h" "$dir/tests/programs/no/CMakeLists.txt"
  { echo "forms_add_family(SOURCES no.cpp)"; cat; } >"$dir/programs/no/CMakeLists.txt"
  echo "$dir"
}
entry() {
  cat <<ENTRY
forms_program($1
  FORM no::Form1
  CATEGORIES Game
  NAME "No" NAME_EN "No" COMMENT "Says no" COMMENT_EN "Says no"
  DESCRIPTION_EN "It says no; then no again."
ENTRY
}
# Reads one field of one entry of the tree $1, as the build stores it.
cat >"$SCRATCH/field.cmake" <<SCRIPT
cmake_minimum_required(VERSION 3.25)
include($here/../../cmake/FormsRegistry.cmake)
forms_program_get(\${ID} \${FIELD} value)
execute_process(COMMAND \${CMAKE_COMMAND} -E echo "\${value}")
SCRIPT
field() { cmake -DFORMS_REGISTRY_ROOT="$1" -DID="$2" -DFIELD="$3" -P "$SCRATCH/field.cmake"; }
# CMake wraps its messages: compare them as one line.
flat() { tr -s ' \n' '  '; }

# Entries laid out as the build accepts them: the ID last, over several lines,
# with comments and blank lines between the words.
dir=$(tree layout < <(
  entry "ΩΜΕΓΑ"; echo "  # the id, last"; echo; echo "  ID omega)"
  echo "forms_program("; echo "  plain"; entry "" | tail -n +2; echo "  KEYWORDS όχι KEYWORDS_EN no nope SHOTS \"p\" \"p-done: click A\")"))
listed=$(FORMS_REGISTRY_ROOT=$dir registry_programs) || fail "registry_programs failed on $dir"
[ "$listed" = $'ΩΜΕΓΑ omega\nplain plain' ] || fail "registry_programs lists '$listed' for $dir"

# What an entry leaves out: the family is its folder, the header <family>.h,
# the icon its id, one screenshot named after the executable, no keywords;
# what it gives is kept, a text with a semicolon whole.
for check in "omega FAMILY no" "omega HEADER no.h" "omega ICON omega" "omega SHOTS ΩΜΕΓΑ" "omega KEYWORDS_EN " \
             "omega DESCRIPTION_EN It says no; then no again." "plain KEYWORDS_EN no;nope" "plain SHOTS p;p-done: click A"; do
  read -r id name want <<<"$check"
  got=$(field "$dir" "$id" "$name" 2>&1) || fail "reading $name of $id: $got"
  [ "$got" = "$want" ] || fail "$id has $name '$got', not '$want'"
done

# Registries the build refuses: the tools refuse them too, naming the entry and the fault.
refuses() {
  local what=$1 message=$2 dir=$3 out
  if out=$(FORMS_REGISTRY_ROOT=$dir registry_programs 2>&1 | flat; exit "${PIPESTATUS[0]}"); then
    fail "registry_programs accepts $what: $out"
  elif [[ $out != *"$message"* ]]; then
    fail "registry_programs refuses $what without saying '$message': $out"
  fi
}
refuses "an id used twice" "programs/no/CMakeLists.txt: twice: the id twice is used twice" \
  "$(tree twice < <(entry twice; echo ")"; entry twice; echo ")"))"
# A misspelt field is not taken for one more value of the list before it.
misspelt=$(tree misspelt < <(entry quiz; echo "  KEYWORDS_EN joke CONTENT_RATNG language-humor=intense)"))
refuses "a misspelt field" "programs/no/CMakeLists.txt: quiz: unknown field CONTENT_RATNG" "$misspelt"
refuses "a field given twice" "quiz: the field NAME is given twice" \
  "$(tree repeated < <(entry quiz; echo "  NAME \"Again\")"))"
refuses "a word after a single value" "quiz: 'Twice' follows the value of NAME_EN" \
  "$(tree extra < <(entry quiz | sed 's/NAME_EN "No"/NAME_EN "No" Twice/'; echo ")"))"
refuses "an entry without a required field" "quiz: it has no COMMENT_EN" \
  "$(tree required < <(entry quiz | sed 's/COMMENT_EN "Says no"//'; echo ")"))"

# The build's own configure stops at the misspelt field with the same line.
mkdir -p "$SCRATCH/configure"
cat >"$SCRATCH/configure/CMakeLists.txt" <<EOF
cmake_minimum_required(VERSION 3.25)
project(registry_check NONE)
set(FORMS_REGISTRY_ROOT "$misspelt")
include("$here/../../cmake/FormsRegistry.cmake")
EOF
if out=$(cmake -S "$SCRATCH/configure" -B "$SCRATCH/configure/build" 2>&1 | flat; exit "${PIPESTATUS[0]}"); then
  fail "a configure accepts a misspelt field: $out"
elif [[ $out != *"quiz: unknown field CONTENT_RATNG"* ]]; then
  fail "a configure refuses a misspelt field without naming it: $out"
fi

[ $failures -eq 0 ] || exit 1
echo "registry_programs lists the build's $# programs and reads the registry as the build does"
