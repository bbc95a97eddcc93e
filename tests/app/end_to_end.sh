#!/usr/bin/env bash
# Drives the real program as a user would, inside a private X server: type a
# set, press Enter, save through the dialog, check the file, quit.
# Usage: end_to_end.sh PATH/TO/harmodex   (run under xvfb-run)
set -euo pipefail
program=$(realpath "$1")
work=$(mktemp -d)
trap 'kill "$pid" 2>/dev/null || true; rm -rf "$work"' EXIT
cd "$work"

"$program" >"$work/log" 2>&1 &
pid=$!

window=""
for _ in $(seq 1 300); do
  window=$(xdotool search --name '^Tn-type Harmodex$' 2>/dev/null | head -n 1 || true)
  [ -n "$window" ] && break
  sleep 0.1
done
[ -n "$window" ] || { echo "FAIL: the window did not appear"; cat "$work/log"; exit 1; }
sleep 0.5

# Without a window manager the window sits at the origin; the Tn-type field
# is on the input row below the preview.
eval "$(xdotool getwindowgeometry --shell "$window")"
xdotool mousemove --window "$window" 185 540 click 1
xdotool type --delay 20 '7 11 2'
xdotool key Return
sleep 1

# Save EPS, then accept the proposed name in the dialog. The buttons are on
# the bottom row; the window grows when the bar above the fields appears
# (here it names the transposition typed: 7 11 2 = T7 of 0 4 7), so wait for
# that and find them from the window's height.
typedHeight=$HEIGHT
for _ in $(seq 1 300); do
  eval "$(xdotool getwindowgeometry --shell "$window")"
  [ "$HEIGHT" -gt "$typedHeight" ] && break
  sleep 0.1
done
[ "$HEIGHT" -gt "$typedHeight" ] || { echo "FAIL: no bar named the transposition typed"; exit 1; }
buttons=$((HEIGHT - 22))
xdotool mousemove --window "$window" 621 "$buttons" click 1
# The click waits in the queue while the page is composed and rasterised.
dialog=""
for _ in $(seq 1 300); do
  dialog=$(xdotool search --name '^Save page as:$' 2>/dev/null | head -n 1 || true)
  [ -n "$dialog" ] && break
  sleep 0.1
done
[ -n "$dialog" ] || { echo "FAIL: the save dialog did not appear"; cat "$work/log"; exit 1; }
sleep 1
xdotool key Return
for _ in $(seq 1 300); do
  [ -s xxx00001.eps ] && break
  sleep 0.1
done

[ -s xxx00001.eps ] || { echo "FAIL: nothing was saved"; cat "$work/log"; exit 1; }
head -n 1 xxx00001.eps | grep -qx '%!PS-Adobe-3.0 EPSF-3.0' || { echo "FAIL: not an EPS file"; exit 1; }
grep -q '(0 4 7)' xxx00001.eps || { echo "FAIL: the saved page is not the major triad's"; exit 1; }
[ "$(tail -c 7 xxx00001.eps | od -An -c | tr -d ' ')" = '%%EOF\n\n' ] || { echo "FAIL: the page must end with %%EOF and one added newline"; exit 1; }

xdotool mousemove --window "$window" 917 "$buttons" click 1   # QUIT
for _ in $(seq 1 300); do
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.1
done
if kill -0 "$pid" 2>/dev/null; then echo "FAIL: QUIT did not end the program"; exit 1; fi
wait "$pid" || { echo "FAIL: the program exited with an error"; exit 1; }
echo "end-to-end: typed 7 11 2, saved xxx00001.eps holding the page of 0 4 7, quit"
