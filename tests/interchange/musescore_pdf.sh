#!/usr/bin/env bash
# A real notation program opens the roster: MuseScore converts the MusicXML of
# two sets to PDF headless, and each PDF's text holds the page's title and
# the 24 row labels. Skipped (status 77) when MuseScore 3 is not installed.
# Usage: musescore_pdf.sh PATH/TO/harmodex-cli
set -euo pipefail
command -v mscore3 >/dev/null || { echo "SKIP: mscore3 is not installed"; exit 77; }
command -v xvfb-run >/dev/null || { echo "SKIP: xvfb-run is not installed"; exit 77; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export HOME=$work XDG_RUNTIME_DIR=$work

labels=()
for k in 0 1 2 3 4 5 6 7 8 9 d u; do labels+=("T$k" "I$k"); done

check() {  # SET TITLE
  "$1" musicxml "$2" -o "$work/roster.musicxml" && rm -f "$work/roster.pdf"
  xvfb-run -a -s "-screen 0 1280x1024x24" mscore3 -o "$work/roster.pdf" "$work/roster.musicxml" \
    >"$work/mscore.log" 2>&1 || { echo "FAIL: MuseScore could not convert $2"; cat "$work/mscore.log"; exit 1; }
  local text
  text=$(pdftotext "$work/roster.pdf" -)
  grep -qF "$3" <<<"$text" || { echo "FAIL: the title \"$3\" is missing"; exit 1; }
  for label in "${labels[@]}"; do
    grep -qw -- "$label" <<<"$text" || { echo "FAIL: $2: no label $label in the PDF"; exit 1; }
  done
  echo "$2: $(pdfinfo "$work/roster.pdf" | awk '/^Pages:/ {print $2}') page(s), title and 24 labels present"
}

check "$1" "0 4 7" "Harmodex page 24: 3-11b (0 4 7)"
check "$1" "0 1 2 3 4 5 6 7 8 9 10 11" "Harmodex page 351: 12-1"
