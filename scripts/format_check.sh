#!/usr/bin/env bash
# Checks that every tracked C++ file is laid out as .clang-format says.
# Usage: scripts/format_check.sh            (fix a file with clang-format -i FILE)
set -euo pipefail
cd "$(dirname "$0")/.."
command -v clang-format >/dev/null || { echo "format_check: clang-format is not installed" >&2; exit 1; }
git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run -Werror
echo "format_check: every tracked C++ file follows .clang-format"
