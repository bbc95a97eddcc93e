#!/usr/bin/env bash
# A second harmodex started while one runs hands over to the first, which
# presents its window, and ends within a second; no second window opens.
# Usage: single_instance.sh PATH/TO/harmodex   (under xvfb-run; needs xdotool
# and a session bus, started here with dbus-run-session when there is none)
set -euo pipefail
if [ -z "${DBUS_SESSION_BUS_ADDRESS:-}" ]; then
  command -v dbus-run-session >/dev/null || { echo "SKIP: dbus-run-session is not installed"; exit 77; }
  exec dbus-run-session -- bash "$0" "$@"
fi
program=$(realpath "$1")
. "$(dirname "$(realpath "${BASH_SOURCE[0]}")")/window_script.sh"
visibleWindows() { xdotool search --onlyvisible --name '^Tn-type Harmodex' 2>/dev/null | wc -l; }
oneVisible() { [ "$(visibleWindows)" -eq 1 ]; }

startWindow
xdotool type --delay 20 '0 4 7'
xdotool key Return
waitFor xdotool search --name 'page 24 ' || fail "the first window did not show page 24"

# Hidden from view, so that being presented can be seen: the second launch
# must show it again.
xdotool windowunmap --sync "$window"
[ "$(visibleWindows)" -eq 0 ] || fail "the window could not be hidden for the test"

started=$(date +%s%N)
"$program" >"$work/second.log" 2>&1 || fail "the second launch failed: $(cat "$work/second.log")"
elapsed=$(( ($(date +%s%N) - started) / 1000000 ))
echo "the second launch ended after $elapsed ms"
[ "$elapsed" -lt 1000 ] || fail "the second launch took $elapsed ms to hand over"
waitFor oneVisible || fail "the first window was not presented again"
xdotool search --onlyvisible --name 'page 24 ' >/dev/null || fail "the window presented is not the first one"
kill -0 "$pid" || fail "the first instance ended"

xdotool mousemove --window "$window" 550 300
quitWindow
echo "one instance: a second launch presented the first window"
