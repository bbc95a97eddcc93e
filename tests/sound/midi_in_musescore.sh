#!/usr/bin/env bash
# A notation program imports the MIDI file as plain music: MuseScore 3
# converts it to MusicXML headless, and the score read back has the
# arpeggio's bar of eighths (or a pickup) and a 4/4 bar for the chord, no
# sharps or flats, the arpeggio in plain eighth notes, the chord
# held (a whole note or tied halves) and no tuplet anywhere. The compressed
# MusicXML the program writes is opened the same way. Skipped (status 77)
# when MuseScore 3 cannot start.
# Usage: midi_in_musescore.sh PATH/TO/harmodex-cli
set -euo pipefail
cli=$1
command -v mscore3 >/dev/null || { echo "SKIP: mscore3 is not installed"; exit 77; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export HOME=$work XDG_RUNTIME_DIR=$work QT_QPA_PLATFORM=offscreen

convert() {  # IN OUT
  mscore3 -o "$2" "$1" >"$work/mscore.log" 2>&1
}
# MuseScore must start at all before its verdict counts.
"$cli" musicxml "0 4 7" -o "$work/probe.musicxml"
if ! convert "$work/probe.musicxml" "$work/probe-out.musicxml"; then
  echo "SKIP: mscore3 cannot start here:"; tail -5 "$work/mscore.log"; exit 77
fi

check() {  # SET [--as-typed]
  "$cli" midi "$@" -o "$work/set.mid"
  rm -f "$work/set.musicxml"
  convert "$work/set.mid" "$work/set.musicxml" || { echo "FAIL: MuseScore could not import $1"; cat "$work/mscore.log"; exit 1; }
  python3 - "$work/set.musicxml" "$@" <<'PY'
import sys
import xml.etree.ElementTree as ET

path, text = sys.argv[1], sys.argv[2]
root = ET.parse(path).getroot()
part = root.find("part")
fail = lambda why: sys.exit(f"FAIL: {text}: {why}")
if root.find(".//time-modification") is not None:
    fail("the import holds a tuplet")
# The chord's bar is 4/4; the arpeggio's bar is its eighths (n/8), or a
# pickup to the chord's bar.
times = [(t.findtext("beats"), t.findtext("beat-type")) for t in part.iter("time")]
size = len(text.split())
if not times or times[-1] != ("4", "4") or times[0] not in (("4", "4"), (str(size), "8")):
    fail("time signatures " + str(times))
key = part.find(".//attributes/key")
if key is None or key.findtext("fifths") != "0":
    fail("the key signature is not one of no sharps or flats")
notes = [n for n in part.iter("note") if n.find("rest") is None]
# The arpeggio: one eighth per pitch class of the set, each alone.
size = len(text.split())
arpeggio, chord = notes[:size], notes[size:]
if any(n.findtext("type") != "eighth" or n.find("chord") is not None or n.find("dot") is not None for n in arpeggio):
    fail("the arpeggio is not plain eighths: " + str([n.findtext("type") for n in arpeggio]))
# The chord: its notes struck together, each a whole note or halves tied.
types = sorted({n.findtext("type") for n in chord})
if types not in (["whole"], ["half"]):
    fail("the chord is not a whole note or tied halves: " + str(types))
if types == ["half"] and not any(t.get("type") == "start" for n in chord for t in n.findall("tie")):
    fail("the chord's halves are not tied")
print(f"{text}: {'/'.join(times[0])} then 4/4, no key, {len(arpeggio)} eighths, chord as {types[0]}" + ("s tied" if types == ["half"] else ""))
PY
}

check "0 4 7"
check "0 1 4 6"
check "0 2 4 6 8 10"
check "0 1 2 3 4 5 6 7 8"
check "G3 B3 D4" --as-typed

# Compressed MusicXML is a file MuseScore opens.
"$cli" musicxml "0 4 7" -o "$work/triad.mxl"
convert "$work/triad.mxl" "$work/from-mxl.musicxml" || { echo "FAIL: MuseScore cannot open the .mxl"; cat "$work/mscore.log"; exit 1; }
grep -q "3-11b" "$work/from-mxl.musicxml" || { echo "FAIL: the .mxl did not hold the roster"; exit 1; }
echo "triad.mxl: opened"
