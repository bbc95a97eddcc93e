#!/usr/bin/env bash
# Binary output is never written to a terminal: with standard output on a
# terminal (script(1) gives one) and no -o, sound, midi, a PDF page and
# compressed MusicXML are refused with exit 2 and a hint to use -o; text
# output still reaches the terminal, and a pipe still takes the binary.
# Usage: binary_on_terminal.sh PATH/TO/harmodex-cli
set -uo pipefail
cli=$1
command -v script >/dev/null || { echo "SKIP: script (util-linux) is not installed"; exit 77; }
failures=0
on_terminal() {  # EXPECTED-STATUS ARGS... : runs the command on a terminal
  local expected=$1; shift
  local quoted status
  quoted=$(printf '%q ' "$cli" "$@")
  output=$(script -qec "$quoted" /dev/null 2>&1)
  status=$?
  if [ "$status" != "$expected" ]; then
    echo "FAIL: $* on a terminal: status $status, not $expected: $output"; failures=$((failures + 1))
  elif [ "$expected" = 2 ] && ! grep -q -- "-o" <<<"$output"; then
    echo "FAIL: $*: no hint to use -o: $output"; failures=$((failures + 1))
  fi
}
on_terminal 2 sound "0 4 7"
on_terminal 2 midi "0 4 7"
on_terminal 2 midi "0 4 7" -o -
on_terminal 2 page "0 4 7" --format pdf
on_terminal 0 musicxml "0 4 7"
on_terminal 0 analyse "0 4 7"
[ "$("$cli" midi "0 4 7" | head -c 4)" = MThd ] || { echo "FAIL: a pipe does not take the MIDI file"; failures=$((failures + 1)); }
[ $failures = 0 ] && echo "binary output refused on a terminal, written to a pipe"
exit $((failures > 0))
