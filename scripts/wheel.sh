#!/usr/bin/env bash
# Builds the Python module as a wheel for Debian's Python (/usr/bin/python3,
# the one the module is built for) into dist/ (or the folder given),
# offline: pip uses Debian's setuptools and wheel instead of fetching a build
# environment, and setup.py builds the module through CMake (in build-wheel/).
# Usage: scripts/wheel.sh [OUTPUT-FOLDER]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
command -v /usr/bin/python3 >/dev/null || { echo "wheel.sh: Debian's /usr/bin/python3 is needed" >&2; exit 1; }
out=$(realpath -m "${1:-$root/dist}")
cd "$root"
/usr/bin/python3 -m pip wheel --no-build-isolation --no-deps --no-index --wheel-dir "$out" . >&2
# pip leaves setuptools' metadata beside the sources.
rm -rf "$root"/*.egg-info "$root/build/lib."* "$root/build/bdist."* "$root/build/temp."* 2>/dev/null || true
ls "$out"/harmodex-*.whl
