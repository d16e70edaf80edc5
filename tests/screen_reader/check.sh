#!/usr/bin/env bash
# tests/screen_reader/check.sh <quiz|quiz3|greeter2|trafficlight|ora>: runs the
# program under the Orca screen reader (tools/screen-reader), presses keys as a
# blind user would, and fails unless Orca said what that user must hear.
# FORMS_BIN names the folder of the built programs. Exit status 77: the screen
# reader could not be started here (the tool says why).
set -uo pipefail

tool=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)/tools/screen-reader
failures=0
transcript=""

# listen <program> <key...>: runs the program under Orca and keeps what it spoke.
listen() {
  transcript=$("$tool" "$@")
  local status=$?
  echo "Orca, for $*:"
  sed 's/^/  /' <<<"$transcript"
  [ $status -eq 0 ] || exit $status
}

# What Orca spoke after the nth key (0: at start), one utterance a line.
section() { awk -v n="$1" '/^== .* ==$/ { i++; next } i == n + 1' <<<"$transcript"; }
# "at start", "after Tab": when Orca spoke section n.
when() {
  [ "$1" -eq 0 ] && { echo "at start"; return; }
  grep -E '^== .* ==$' <<<"$transcript" | sed -n "$(($1 + 1))p" | sed -E 's/^== (.*) ==$/after \1/'
}
times() { section "$1" | grep -cF -- "$2"; }

fail() {
  echo "FAIL: $(when "$1"), Orca $2"
  failures=$((failures + 1))
}
says() { [ "$(times "$1" "$2")" -gt 0 ] || fail "$1" "did not say \"$2\""; }
says_once() {
  local count
  count=$(times "$1" "$2")
  [ "$count" -eq 1 ] || fail "$1" "said \"$2\" $count times, not once"
}
never_says() { [ "$(times "$1" "$2")" -eq 0 ] || fail "$1" "said \"$2\""; }
silent() { [ -z "$(section "$1")" ] || fail "$1" "was not silent"; }

# The program's name in the desktop's language: "<Greek> <English>" chooses.
in_language() { case "${LANG:-}" in el*) echo "$1" ;; *) echo "$2" ;; esac; }

# The window is heard with the program's name; the question is heard with the
# answer the focus is on, at start and in "Where am I" (KP_Enter); each reply
# is heard once, as it is printed, whether space or an arrow key selected the
# option button.
questionnaire() {
  local program=$1 name=$2 question=$3 answer1=$4 reply1=$5 answer2=$6 reply2=$7
  listen "$program" space Down KP_Enter
  says 0 "$name"
  says 0 "$question"
  says 0 "$answer1"
  says_once 1 "$reply1"
  says 2 "$answer2"
  says_once 2 "$reply2"
  says 3 "$question"
  says 3 "$answer2"
}

case "${1:-}" in
  quiz)
    questionnaire quiz "$(in_language "Ερωτηματολόγιο" "Joke questionnaire")" "Τι μεγεθος εχει το πεος σου?" \
      "5 εως 10 ποντους" "ΩΡΑΙΟΣ" "10 εως 15 ποντους" "ΜΟΝΟ!!!"
    ;;
  quiz3)
    questionnaire quiz3 "$(in_language "Είσαι έξυπνος?" "Are you clever?")" "ΕΙΣΑΙ ΕΞΥΠΝΟΣ?" \
      "70 εως 90 ποντους" "ΩΡΑΙΟΣ!!!" "90 εως 120 ποντους" "ΜΟΝΟ!!!"
    ;;
  greeter2)
    # Both greeting buttons, the clear button, then a greeting after clearing.
    listen greeter2 space Tab space Tab space shift+Tab space
    says_once 1 "ΣΑΝ ΤΟΝ ΜΠΟΡΖΙΛΗ"
    says_once 3 "ΣΑΝ ΤΟΝ ΜΠΟΡΖΙΛΗ"
    says 4 "Διαγραφή"
    never_says 5 "ΣΑΝ ΤΟΝ ΜΠΟΡΖΙΛΗ"
    says_once 7 "ΣΑΝ ΤΟΝ ΜΠΟΡΖΙΛΗ"
    ;;
  trafficlight)
    # Each press hides the pressed button: the focus goes to the one shown.
    listen trafficlight space space KP_Enter
    says 1 "green"
    says 2 "red"
    says 3 "red"
    never_says 3 "green"
    ;;
  ora)
    # Back in the date box after a visit to the time box, Orca reads the date
    # once; the ticks that set it to the same date again say nothing.
    listen ΩΡΑ Tab shift+Tab wait:3
    says 2 "ΗΜΕΡΟΜΙΝΙΑ"
    silent 3
    ;;
  *)
    echo "usage: check.sh <quiz|quiz3|greeter2|trafficlight|ora>" >&2
    exit 2
    ;;
esac

if [ $failures -gt 0 ]; then
  echo "$failures of the checks failed"
  exit 1
fi
echo "Orca said all it should"
