#!/usr/bin/env bash
# The core library is layered, lowest first: base (the error type), pcset, relations, analysis,
# postscript, notation, page. A file may include its own folder and the
# folders below it, never one above, and no core folder includes the window,
# the command line or any other program built on the core.
# Usage: layers_check.sh SOURCE-DIR
set -euo pipefail
cd "$1"
layers=(base pcset relations analysis postscript notation page)
status=0
for i in "${!layers[@]}"; do
  folder=${layers[$i]}
  allowed="${layers[*]:0:$((i + 1))}"
  while IFS= read -r line; do
    file=${line%%:*}
    included=$(sed -E 's/.*#include "([^/"]+)\/.*/\1/' <<<"${line#*:}")
    if ! grep -qw -- "$included" <<<"$allowed"; then
      echo "FAIL: $file includes $included/, which is not below $folder/"
      status=1
    fi
  done < <(grep -H '#include "[^"]*/' "$folder"/*.cpp "$folder"/*.h 2>/dev/null || true)
done
[ "$status" -eq 0 ] && echo "layers hold: ${layers[*]}"
exit "$status"
