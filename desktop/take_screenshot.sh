#!/usr/bin/env bash
# Takes the AppStream screenshot, desktop/screenshot.png: the window in a
# private X server, showing page 24 after typing 0 4 7 and Enter, saved as an
# optimised PNG. Run it again when the window's look changes.
# Usage: xvfb-run -a -s "-screen 0 1280x1024x24" desktop/take_screenshot.sh build/app/harmodex
# Needs xdotool, ImageMagick's import and optipng.
set -euo pipefail
program=$(realpath "$1")
out=$(realpath "$(dirname "$0")")/screenshot.png
work=$(mktemp -d)
trap 'kill "$pid" 2>/dev/null || true; rm -rf "$work"' EXIT

waitFor() {
  for _ in $(seq 1 600); do
    "$@" >/dev/null 2>&1 && return 0
    sleep 0.1
  done
  echo "gave up waiting for: $*" >&2
  exit 1
}

GSETTINGS_BACKEND=memory "$program" >"$work/log" 2>&1 &
pid=$!
waitFor xdotool search --onlyvisible --name '^Tn-type Harmodex$'
window=$(xdotool search --name '^Tn-type Harmodex$' | head -n 1)
xdotool mousemove --window "$window" 550 300
xdotool type --delay 20 '0 4 7'
xdotool key Return
waitFor xdotool search --name 'page 24 · 3-11b \(0 4 7\)$'
# The title changes when the request is taken; the image follows from the
# worker thread.
sleep 3
import -window "$window" "$work/shot.png"
optipng -quiet -clobber -o7 -strip all -out "$out" "$work/shot.png"
echo "$out: $(identify -format '%w x %h' "$out"), $(stat -c %s "$out") bytes"
