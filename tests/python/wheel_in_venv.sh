#!/usr/bin/env bash
# The wheel goes into a fresh virtual environment: scripts/wheel.sh builds it
# (offline, from the module already built in BUILD-DIR), pip installs it into
# a new venv without any index, and the venv's Python imports harmodex, reads
# "0 4 7" and finds the type stub beside the module.
# Usage: wheel_in_venv.sh SOURCE-DIR BUILD-DIR
set -euo pipefail
src=$1 build=$2
/usr/bin/python3 -c "import setuptools, wheel, venv, pip" 2>/dev/null ||
  { echo "SKIP: Debian's python3-setuptools, python3-wheel, python3-venv or python3-pip is missing"; exit 77; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
HARMODEX_WHEEL_BUILD=$build "$src/scripts/wheel.sh" "$work/dist" >"$work/wheel.log" 2>&1 ||
  { echo "FAIL: the wheel was not built"; tail -30 "$work/wheel.log"; exit 1; }
wheel=$(ls "$work"/dist/harmodex-*.whl)
/usr/bin/python3 -m venv "$work/venv"
"$work/venv/bin/python" -m pip install --no-index --no-deps --quiet "$wheel"
cd "$work"  # not the sources: the module must come from the venv
"$work/venv/bin/python" - <<'PY'
import os
import sys

import harmodex

assert harmodex.__file__.startswith(sys.prefix), harmodex.__file__
r = harmodex.read("0 4 7")
assert (r["tnType"], r["forteName"], r["page"]) == ([0, 4, 7], "3-11b", 24), r
assert os.path.exists(os.path.join(os.path.dirname(harmodex.__file__), "harmodex.pyi"))
print(f"harmodex {harmodex.__version__} from the wheel in {sys.prefix}: 0 4 7 is {r['forteName']}, page {r['page']}")
PY
