#!/usr/bin/env bash
# Drives the pitch-class clock and the piano strip of the real program with
# the pointer: F8 shows them, clicks on 0, 4 and 7 of the clock show page 24,
# clicking them again empties the clock, and C, E and G on the strip show
# page 24 again.
# Usage: pitch_input_end_to_end.sh PATH/TO/harmodex   (run under xvfb-run; needs xdotool)
set -euo pipefail
program=$(realpath "$1")
. "$(dirname "$(realpath "${BASH_SOURCE[0]}")")/window_script.sh"
startWindow
xdotool key F8
sleep 1

# The clock and the strip sit at the end of the field row, whose place is
# fixed from the window's bottom right corner: the strip's left edge 176
# pixels from the right and its top 172 from the bottom; the clock (140
# pixels, its toggles on a circle of radius 56) 10 pixels left of it,
# centred on the strip's height.
eval "$(xdotool getwindowgeometry --shell "$window")"
stripLeft=$((WIDTH - 176))
stripTop=$((HEIGHT - 172))
clockX=$((stripLeft - 80))
clockY=$((HEIGHT - 144))
clickPitchClass() {
  local x y
  read -r x y < <(awk -v pc="$1" -v cx="$clockX" -v cy="$clockY" \
    'BEGIN { a = pc * atan2(0, -1) / 6; printf "%d %d\n", cx + 56 * sin(a) + 0.5, cy - 56 * cos(a) + 0.5 }')
  xdotool mousemove --window "$window" "$x" "$y" click 1
  sleep 0.3
}
# White keys are 10 pixels wide; their lower part is clear of the black keys.
clickWhiteKey() {
  xdotool mousemove --window "$window" $((stripLeft + 10 * $1 + 5)) $((stripTop + 48)) click 1
  sleep 0.3
}

for pc in 0 4 7; do clickPitchClass "$pc"; done
waitFor titled 'page 24 · 3-11b \(0 4 7\)$' || fail "clicking 0, 4 and 7 on the clock did not show page 24"

# Clicked again, they go out one by one; the last leaves the page of the
# single pitch class before it.
for pc in 0 4 7; do clickPitchClass "$pc"; done
waitFor titled 'page 1 · ' || fail "taking 0, 4 and 7 out did not end on the page of one pitch class"

# C, E and G of the strip's upper octave (white keys 7, 9 and 11).
for key in 7 9 11; do clickWhiteKey "$key"; done
waitFor titled 'page 24 · 3-11b \(0 4 7\)$' || fail "clicking C, E and G on the strip did not show page 24"

quitWindow
echo "pitch input end-to-end: clock 0 4 7 gave page 24, emptied to page 1, strip C E G gave page 24"
