# shellcheck shell=bash
# Sourced by tools/valgrind-check and tools/bench: a private Xvfb display.
# Needs $work (a scratch folder) and the Xvfb and xdotool commands.
#   start_xvfb   starts a server, sets $xvfb to its pid and exports DISPLAY
#   stop_xvfb    stops the server started last and waits until it is gone

xvfb=""

# True while a process runs (an ended child not yet waited for does not count).
running() {
  local state
  state=$(awk '{ print $3 }' "/proc/$1/stat" 2>/dev/null || true)
  [ -n "$state" ] && [ "$state" != Z ]
}

# Waiting matters: a server still shutting down has released its lock file but
# may still answer on its socket, and the next start would take that display
# for its own.
stop_xvfb() {
  [ -n "$xvfb" ] || return 0
  if kill "$xvfb" 2>/dev/null; then
    for _ in $(seq 50); do running "$xvfb" || break; sleep 0.1; done
    if running "$xvfb"; then kill -9 "$xvfb" 2>/dev/null || true; fi
    wait "$xvfb" 2>/dev/null || true
  fi
  xvfb=""
}

# Xvfb picks a free display number (or takes FORMS_XVFB_DISPLAY, e.g. :61) and
# writes it to fd 3 once it is ready. A display counts only once a client has
# connected to it. -noreset: by default the server resets when its last client
# leaves (a polling xdotool, say), and turns away a client arriving meanwhile.
start_xvfb() {
  local number="${work:?start_xvfb needs \$work, a scratch folder}/display"
  for _ in 1 2 3 4 5; do
    rm -f "$number"
    Xvfb ${FORMS_XVFB_DISPLAY:-} -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$number" 2>/dev/null &
    xvfb=$!
    for _ in $(seq 100); do [ -s "$number" ] && break; sleep 0.1; done
    if [ -s "$number" ] && DISPLAY=":$(cat "$number")" xdotool getdisplaygeometry >/dev/null 2>&1; then
      DISPLAY=":$(cat "$number")"
      export DISPLAY
      return 0
    fi
    stop_xvfb
    sleep 1
  done
  echo "$(basename "$0"): Xvfb did not start" >&2
  exit 2
}
