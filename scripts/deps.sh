#!/usr/bin/env bash
# Installs the Debian packages Harmodex needs, and only those that are missing.
# Usage: scripts/deps.sh run|test
set -euo pipefail

packages=(build-essential cmake pkg-config libgtest-dev libbenchmark-dev
          libgtk-3-dev libmagickwand-dev ghostscript fonts-urw-base35
          nlohmann-json3-dev libcli11-dev libpugixml-dev pybind11-dev python3-dev
          libfluidsynth-dev libsmf-dev libasound2-dev timgm6mb-soundfont
          librtmidi-dev libjack-jackd2-dev libglib2.0-dev libpoppler-glib-dev libcairo2-dev libqpdf-dev libzip-dev librsvg2-bin libsndfile1-dev)
if [ "${1:-run}" = test ]; then
  packages+=(python3-pytest xvfb xauth xdotool xclip dbus-daemon poppler-utils appstream desktop-file-utils clang clang-format libclang-rt-14-dev
             musescore3 libfftw3-dev python3-jsonschema mypy python3-venv python3-pip python3-setuptools python3-wheel qpdf imagemagick util-linux
             lintian dpkg-dev groff man-db bash-completion
             at-spi2-core python3-gi gir1.2-atspi-2.0 jackd2)
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing missing packages: ${missing[*]}" >&2
sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo=sudo; fi
$sudo apt-get update -qq
$sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
