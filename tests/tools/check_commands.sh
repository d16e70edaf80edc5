#!/usr/bin/env bash
# Every command the README documents, run briefly on the build, and judged by
# what it prints or writes:
#
#   check_commands.sh <command> <build folder> <program>...
#
# <command> is one of run, mutate, include-graph, a11y-tree, bench, install,
# readme, screenshots; <program>... the build's programs ("<executable> <id>" each);
# $SCRATCH a scratch folder. tools/fuzz and tools/valgrind-check have tests of
# their own (tools_fuzz, valgrind_*).
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
command=$1
build=$2
shift 2
executables=("${@%% *}")
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
rm -rf "$SCRATCH"
mkdir -p "$SCRATCH"

case $command in
run)
  # With no argument it lists the programs and installs nothing: a PATH without
  # apt-get, sudo or dpkg-query, once with cmake (the registry's reader) and
  # once without it.
  for with in cmake ""; do
    bin=$SCRATCH/bin-${with:-bare}
    mkdir -p "$bin"
    for tool in bash sed awk cut dirname cat $with; do
      ln -s "$(command -v "$tool")" "$bin/$tool"
    done
    out=$(PATH=$bin "$root/run" 2>&1)
    status=$?
    [ $status -eq 0 ] || fail "./run ${with:+with $with }ends with status $status: $out"
    grep -qx "usage: ./run <program>" <<<"$out" || fail "./run ${with:+with $with }gives no usage line: $out"
    grep -qxF "programs: ${executables[*]}" <<<"$out" ||
      fail "./run ${with:+with $with }lists"$'\n'"$out"$'\n'"not"$'\n'"programs: ${executables[*]}"
  done
  ;;
mutate)
  # The dry run finds every fault of the catalogue still applies, and names
  # the ones that do not.
  out=$("$root/tools/mutate" --dry-run 2>&1) || fail "tools/mutate --dry-run: $out"
  grep -q "faults apply to the tree" <<<"$out" || fail "tools/mutate --dry-run says: $out"
  printf '%s\n' "## stale shown lines that are gone" "file: programs/main.cpp.in" "- no such line" "+ another" \
    "## gone hidden a file that is gone" "file: programs/none.cpp" "- a" "+ b" >"$SCRATCH/faults.txt"
  if out=$("$root/tools/mutate" --dry-run --catalogue "$SCRATCH/faults.txt" 2>&1); then
    fail "tools/mutate --dry-run accepts a catalogue that does not apply: $out"
  fi
  grep -q "stale: found 0 times in programs/main.cpp.in" <<<"$out" || fail "the stale fault is not named: $out"
  grep -q "gone: there is no programs/none.cpp" <<<"$out" || fail "the fault of a missing file is not named: $out"
  ;;
include-graph)
  # The graph in dot, one box per platform library, from the build's list.
  out=$("$root/tools/include-graph" "$build/platform_layers.txt" 2>&1) || fail "tools/include-graph: $out"
  grep -q "^digraph" <<<"$out" || fail "tools/include-graph prints no digraph: $out"
  while IFS='|' read -r library _; do
    grep -q "$library" <<<"$out" || fail "the graph has no box for $library"
  done <"$build/platform_layers.txt"
  ;;
a11y-tree)
  # What a screen reader sees of the traffic light once its button "red" is
  # clicked: that button hidden, "green" shown in its place.
  out=$(FORMS_BIN=$build/bin "$root/tools/a11y-tree" trafficlight red 2>&1) || fail "tools/a11y-tree: $out"
  grep -q '^ *frame "Trafic_Lights"' <<<"$out" || fail "tools/a11y-tree shows no window Trafic_Lights: $out"
  grep -q '^ *push button "red" \[.*hidden' <<<"$out" || fail "tools/a11y-tree: the button red is not hidden: $out"
  grep '^ *push button "green"' <<<"$out" | grep -qv hidden || fail "tools/a11y-tree: the button green is not shown: $out"
  grep -q '^Announced while clicking "red":' <<<"$out" || fail "tools/a11y-tree tells nothing of the click: $out"
  ;;
bench)
  # One round, and one short race: a row for every program and the race's
  # figures. Whether a goal
  # is met is the benchmark's report, not this test's verdict (the machine is
  # shared); a launch that fails is.
  out=$(FORMS_BUILD_DIR=$build FORMS_BENCH_BRIEF=1 "$root/tools/bench" 1 2>&1)
  for program in "${executables[@]}"; do
    grep -qE "^$program +[0-9.]+ .*(met|MISSED)$" <<<"$out" || fail "tools/bench 1 has no row for $program"
  done
  grep -q "launches failed" <<<"$out" && fail "tools/bench 1: a launch failed"
  grep -q "goal for chase" <<<"$out" || fail "tools/bench 1 reports nothing of the race"
  [ $failures -eq 0 ] || echo "$out"
  ;;
install)
  # cmake --install into a scratch prefix: every program's commands, menu
  # entry, icon, manual page and AppStream metadata.
  out=$(cmake --install "$build" --prefix "$SCRATCH/prefix" 2>&1) || fail "cmake --install: $out"
  while read -r executable id; do
    command=forms-$id
    [ -x "$SCRATCH/prefix/bin/$command" ] || fail "no bin/$command"
    [ "$executable" = "$id" ] || [ -L "$SCRATCH/prefix/bin/$executable" ] || fail "no link bin/$executable"
    for file in share/applications/org.example.forms.$id.desktop share/man/man1/$command.1.gz \
                share/icons/hicolor/48x48/apps/org.example.forms.$id.png share/metainfo/org.example.forms.$id.metainfo.xml; do
      [ -s "$SCRATCH/prefix/$file" ] || fail "no $file"
    done
  done < <(printf '%s\n' "$@")
  ;;
readme)
  # The readme target on a scratch copy whose table has lost its rows writes
  # the committed table again, and leaves README.md alone.
  sed '/^| `/d' "$root/README.md" >"$SCRATCH/README.md"
  before=$(cksum <"$root/README.md")
  out=$(FORMS_README=$SCRATCH/README.md cmake --build "$build" --target readme 2>&1) || fail "the readme target: $out"
  cmp -s "$root/README.md" "$SCRATCH/README.md" || fail "the readme target writes"$'\n'"$(diff "$root/README.md" "$SCRATCH/README.md")"
  [ "$(cksum <"$root/README.md")" = "$before" ] || fail "the readme target rewrote README.md"
  ;;
screenshots)
  # The screenshots target into a scratch folder draws every committed
  # screenshot again, byte for byte, and leaves docs/screenshots/ alone.
  before=$(cksum "$root"/docs/screenshots/*.png)
  out=$(FORMS_SCREENSHOTS_DIR=$SCRATCH/shots cmake --build "$build" --target screenshots 2>&1) || fail "the screenshots target: $out"
  for shot in "$root"/docs/screenshots/*.png; do
    cmp -s "$shot" "$SCRATCH/shots/$(basename "$shot")" || fail "the screenshots target draws $(basename "$shot") otherwise, or not"
  done
  [ "$(cksum "$root"/docs/screenshots/*.png)" = "$before" ] || fail "the screenshots target rewrote docs/screenshots/"
  ;;
*)
  echo "check_commands.sh: unknown command $command" >&2
  exit 2
  ;;
esac

[ $failures -eq 0 ] || exit 1
echo "$command: ok"
