# Shared by the scripts that drive the real window (under xvfb-run, with
# xdotool). Sourced after "program" is set; it makes "$work" (the current
# folder, gone on exit) and keeps the program's state there, so that every
# run starts as on first use and never meets the user's own.

work=$(mktemp -d)
trap 'kill "$pid" 2>/dev/null || true; rm -rf "$work"' EXIT
cd "$work"
export XDG_STATE_HOME="$work/state"

fail() { echo "FAIL: $*"; cat "$work/log"; exit 1; }

# Waits (up to a generous minute: the machine may be loaded) until the
# command succeeds.
waitFor() {
  for _ in $(seq 1 600); do
    "$@" >/dev/null 2>&1 && return 0
    sleep 0.1
  done
  return 1
}

titled() { xdotool search --name "$1" >/dev/null 2>&1; }

# Starts the program (its output in "$work/log") and waits until its window,
# titled as the pattern says, is shown: "$pid" and "$window". Without a
# window manager the window sits at the origin at its designed 1100 x 610,
# and the keyboard goes where the pointer is: the pointer is put on it.
startWindow() {
  local title=${1:-'^Tn-type Harmodex$'}
  "$program" >"$work/log" 2>&1 &
  pid=$!
  waitFor xdotool search --onlyvisible --name "$title" || fail "the window titled /$title/ was not shown"
  window=$(xdotool search --onlyvisible --name "$title" | head -n 1)
  xdotool mousemove --window "$window" 550 300
}

# Ctrl+Q, and the program ends without an error.
quitWindow() {
  xdotool key ctrl+q
  waitFor bash -c "! kill -0 $pid" || fail "Ctrl+Q did not end the program"
  wait "$pid" || fail "the program exited with an error"
}
