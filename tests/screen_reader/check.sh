#!/usr/bin/env bash
# tests/screen_reader/check.sh <quiz|quiz3|greeter2|trafficlight|maxofthree|chase|ora>: runs the
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
# The first utterance of section n saying $2 comes before the first saying $3.
says_before() {
  local first second
  first=$(section "$1" | grep -nF -- "$2" | head -1 | cut -d: -f1)
  second=$(section "$1" | grep -nF -- "$3" | head -1 | cut -d: -f1)
  [ -n "$first" ] && [ -n "$second" ] && [ "$first" -lt "$second" ] || fail "$1" "did not say \"$2\" before \"$3\""
}
never_says() { [ "$(times "$1" "$2")" -eq 0 ] || fail "$1" "said \"$2\""; }
silent() { [ -z "$(section "$1")" ] || fail "$1" "was not silent"; }

# The program's name in the desktop's language: "<Greek> <English>" chooses.
in_language() { case "${LANG:-}" in el*) echo "$1" ;; *) echo "$2" ;; esac; }

# The window is heard with the program's name; the question is heard with the
# answer the focus is on, at start and in "Where am I" (KP_Enter); each reply
# is heard once, as it is printed, whether space or an arrow key selected the
# option button, and after the answer the arrow key selected. The button below
# the answers (three Tabs on) says the mocking line it reveals, once.
questionnaire() {
  local program=$1 name=$2 question=$3 answer1=$4 reply1=$5 answer2=$6 reply2=$7 button=$8
  listen "$program" space Down KP_Enter Tab Tab Tab space
  says 0 "$name"
  says 0 "$question"
  says 0 "$answer1"
  says_once 1 "$reply1"
  says 2 "$answer2"
  says_once 2 "$reply2"
  says_before 2 "$answer2" "$reply2"
  says 3 "$question"
  says 3 "$answer2"
  says 6 "$button"
  says_once 7 "xa xa xa xa"
}

case "${1:-}" in
  quiz)
    questionnaire quiz "$(in_language "Ερωτηματολόγιο" "Joke questionnaire")" "Τι μεγεθος εχει το πεος σου?" \
      "5 εως 10 ποντους" "ΩΡΑΙΟΣ" "10 εως 15 ποντους" "ΜΟΝΟ!!!" "ΚΑΤΩ ΑΠΟ 5 ΠΟΝΤΟΥΣ"
    ;;
  quiz3)
    questionnaire quiz3 "$(in_language "Είσαι έξυπνος?" "Are you clever?")" "ΕΙΣΑΙ ΕΞΥΠΝΟΣ?" \
      "70 εως 90 ποντους" "ΩΡΑΙΟΣ!!!" "90 εως 120 ποντους" "ΜΟΝΟ!!!" "ΚΑΤΩ ΑΠΟ 70 ΠΟΝΤΟΥΣ"
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
    # Each press hides the pressed button: the focus goes to the one shown,
    # then the light that came into sight is said, once. "Where am I" says
    # the button with the focus first. (On a busy machine Orca may answer
    # later than Qt waits to learn that Orca kept the key: the key then
    # reaches the button too and presses it, so what follows is not judged.)
    listen trafficlight space space KP_Enter
    says 1 "green"
    says_once 1 "Φανάρι με αναμμένο το κόκκινο"
    says_before 1 "green" "Φανάρι με αναμμένο το κόκκινο"
    says 2 "red"
    says_once 2 "Φανάρι με αναμμένο το πράσινο"
    says_before 2 "red" "Φανάρι με αναμμένο το πράσινο"
    never_says 2 "κόκκινο"
    # (The first line is the key's echo.)
    section 3 | sed -n 2p | grep -q '^red ' || fail 3 "did not say the red button first"
    ;;
  maxofthree)
    # "ΥΠΟΛΟΓΙΣΕ" (three Tabs on) says the four boxes it fills, with their labels.
    listen maxofthree Tab Tab Tab space
    says 3 "ΥΠΟΛΟΓΙΣΕ"
    says_once 4 "Αριθμος Α, 1. Αριθμος Β, 2. Αριθμος Γ, 3. Ο ΜΕΓΑΛΥΤΕΡΟΣ ΕΙΝΑΙ, 3"
    ;;
  chase)
    # A race (about nine seconds) is told once it has ended: the two cars
    # stand together, and where; nothing is said while it runs.
    listen chase space wait:12
    never_says 1 "μαζί"
    says_once 2 "Πράσινο καρτούν αυτοκινητάκι και Κίτρινη αγωνιστική φόρμουλα μαζί, στο 82% του πλάτους"
    ;;
  ora)
    # Back in the date box after a visit to the time box, Orca reads the date
    # once; the ticks that set it to the same date again say nothing.
    listen ΩΡΑ Tab shift+Tab wait:3
    says 2 "ΗΜΕΡΟΜΙΝΙΑ"
    silent 3
    # The time box, rewritten every second, is read as the focus comes to it
    # and in "Where am I", with the time of then, and says nothing as it ticks
    # (in Greek, a morning hour is one digit: "1:43:30 π.μ.").
    listen ΩΡΑ Tab wait:5 KP_Enter
    says 1 "ΩΡΑ"
    [ -n "$(section 1 | grep -E '[0-9]{2}:[0-9]{2}')" ] || fail 1 "did not say the time"
    silent 2
    says 3 "ΩΡΑ"
    [ "$(section 3 | grep -cE '[0-9]{1,2}:[0-9]{2}:[0-9]{2}')" -eq 1 ] || fail 3 "did not say the time once"
    ;;
  *)
    echo "usage: check.sh <quiz|quiz3|greeter2|trafficlight|maxofthree|chase|ora>" >&2
    exit 2
    ;;
esac

if [ $failures -gt 0 ]; then
  echo "$failures of the checks failed"
  exit 1
fi
echo "Orca said all it should"
