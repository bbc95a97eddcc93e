#!/usr/bin/env bash
# Installs what is missing, builds, and starts the Harmodex window.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh run
scripts/build.sh build
exec build/app/harmodex
