#!/usr/bin/env bash
# Drives the real program as a user would, inside a private X server: type a
# set, press Enter, save through the dialog, flip to the next page, click the
# size spinner's + three times in quick succession, open About from the
# primary menu, click the page and read on with End and Space to the next
# page, quit; start again and see the last page.
# Usage: end_to_end.sh PATH/TO/harmodex   (run under xvfb-run; needs xdotool, xclip)
set -euo pipefail
program=$(realpath "$1")
. "$(dirname "$(realpath "${BASH_SOURCE[0]}")")/window_script.sh"
startWindow

# Focus starts in the Tn-type field: no click needed.
xdotool type --delay 20 '7 11 2'
xdotool key Return
waitFor titled 'page 24 · 3-11b \(0 4 7\)$' || fail "the title did not name page 24 after typing 7 11 2"

# Save (Ctrl+S, as the Save button does), then accept the proposed name in
# the dialog.
xdotool key ctrl+s
waitFor titled '^Save page as:$' || fail "the save dialog did not appear"
dialog=$(xdotool search --name '^Save page as:$' | head -n 1)
xdotool mousemove --window "$dialog" 100 100
xdotool key Return
waitFor test -s xxx00001.eps || fail "nothing was saved"
head -n 1 xxx00001.eps | grep -qx '%!PS-Adobe-3.0 EPSF-3.0' || fail "not an EPS file"
grep -q '(0 4 7)' xxx00001.eps || fail "the saved page is not the major triad's"
[ "$(tail -c 7 xxx00001.eps | od -An -c | tr -d ' ')" = '%%EOF\n\n' ] || fail "the page must end with %%EOF and one added newline"
waitFor bash -c "! xdotool search --onlyvisible --name '^Save page as:\$'" || fail "the save dialog stayed open"
xdotool mousemove --window "$window" 550 300

xdotool key Next   # PageDown
waitFor titled 'page 25 · ' || fail "PageDown did not go to page 25"

# The size: 3.0 typed into the spinner, then three rapid clicks on its +.
# The control row is the window's bottom row, whatever the bar above the
# fields shows.
eval "$(xdotool getwindowgeometry --shell "$window")"
row=$((HEIGHT - 38))
spinValue() {
  xdotool mousemove --window "$window" 85 "$row" click --repeat 3 --delay 60 1
  xdotool key ctrl+a ctrl+c
  xclip -o -selection clipboard 2>/dev/null
}
xdotool mousemove --window "$window" 85 "$row" click --repeat 3 --delay 60 1
xdotool type --delay 20 '3'
xdotool key Return
[ "$(spinValue)" = 3.00 ] || fail "the size is not 3.00 after typing 3"
xdotool mousemove --window "$window" 167 "$row" click --repeat 3 --delay 100 1
is330() { [ "$(spinValue)" = 3.30 ]; }
waitFor is330 || fail "three clicks on + from 3.00 gave $(spinValue), not 3.30"
# A page at 3.3 takes about a second to render: the value must not move on
# while it does (auto-repeat overshoot).
waitFor titled 'page 25 · ' && is330 || fail "the size moved on to $(spinValue) after the clicks"

# The primary menu of the header bar: its fourth line opens About Harmodex.
# On a loaded machine the menu may open after the keys were sent: tried
# again, closed first, until About appears.
aboutShown() { xdotool search --onlyvisible --name '^About Harmodex$' >/dev/null 2>&1; }
for _ in 1 2 3 4 5; do
  xdotool mousemove --window "$window" $((WIDTH - 145)) 25 click 1
  sleep 1
  xdotool key Down Down Down Return
  for _ in $(seq 1 50); do aboutShown && break; sleep 0.1; done
  aboutShown && break
  xdotool key Escape
done
waitFor aboutShown || fail "the menu did not open About Harmodex"
xdotool key Escape
waitFor bash -c "! xdotool search --onlyvisible --name '^About Harmodex\$'" || fail "About Harmodex stayed open"
xdotool mousemove --window "$window" 550 300

# A click gives the page the keys: End goes to its bottom, and Space there
# reads on to the next page (and presses no button).
xdotool click 1
xdotool key End space
waitFor titled 'page 26 · ' || fail "End then Space on the page did not go on to page 26"
! xdotool search --onlyvisible --name '^Save page as:$' >/dev/null 2>&1 || fail "Space pressed the Save button"

quitWindow
grep -qx 'number=26' "$XDG_STATE_HOME/harmodex/window.ini" || fail "the last page was not remembered"

# Started again, the window shows the page it was left on.
startWindow 'page 26 · '
quitWindow
echo "end-to-end: typed 7 11 2 (page 24), saved xxx00001.eps, PageDown to page 25, three clicks on + from 3.00 gave 3.30, End and Space on the page to page 26, quit; started again on page 26"
