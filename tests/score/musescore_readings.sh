#!/usr/bin/env bash
# MuseScore 3 writes each of our test scores afresh as MusicXML, compressed
# MusicXML and MIDI; every reading must give the segments the score itself
# gives, in every segmentation. Skipped (77) when MuseScore cannot start.
# Usage: musescore_readings.sh HARMODEX-CLI DATA-DIR
set -euo pipefail
cli=$1
data=$2
if ! command -v mscore3 >/dev/null; then
  echo "SKIP: mscore3 (Debian package musescore3) is not installed"
  exit 77
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR=$work HOME=$work
status=0
for source in "$data"/*.musicxml; do
  case $source in *.mscore.musicxml) continue ;; esac
  name=$(basename "$source" .musicxml)
  for ext in musicxml mxl mid; do
    if ! timeout 120 mscore3 -o "$work/$name.$ext" "$source" >"$work/mscore.log" 2>&1 || [ ! -s "$work/$name.$ext" ]; then
      echo "SKIP: mscore3 could not write $name.$ext:"
      tail -n 5 "$work/mscore.log"
      exit 77
    fi
    for by in onset measure beat; do
      for merge in "" --merge; do
        # Everything but the file name must agree.
        expected=$("$cli" score "$source" --by $by $merge --json | sed 1,2d)
        got=$("$cli" score "$work/$name.$ext" --by $by $merge --json | sed 1,2d)
        if [ "$expected" != "$got" ]; then
          echo "FAIL: $name.$ext --by $by $merge differs from $name.musicxml:"
          diff <(echo "$expected") <(echo "$got") | head -n 10
          status=1
        fi
      done
    done
  done
  echo "$name: MusicXML, .mxl and MIDI from MuseScore read as the score"
done
exit $status
