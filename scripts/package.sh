#!/usr/bin/env bash
# Builds the Debian package harmodex_VERSION_ARCH.deb: configures a build
# folder of its own (default build-package) for /usr, with Debian's hardening
# flags and without the tests, builds it and runs CPack. Prints the path of
# the package made.
# Usage: scripts/package.sh [BUILD-DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${1:-build-package}
launcher=()
if command -v ccache >/dev/null; then launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache); fi
# The flags Debian builds its packages with: optimisation, stack protection,
# fortified functions, read-only relocations bound at load time.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cxxflags="$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS)"
ldflags=$(dpkg-buildflags --get LDFLAGS)
cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=None -DCMAKE_INSTALL_PREFIX=/usr -DHARMODEX_BUILD_TESTS=OFF \
  -DCMAKE_CXX_FLAGS="$cxxflags" -DCMAKE_EXE_LINKER_FLAGS="$ldflags" \
  -DCMAKE_SHARED_LINKER_FLAGS="$ldflags" -DCMAKE_MODULE_LINKER_FLAGS="$ldflags" "${launcher[@]}" >/dev/null
cmake --build "$dir" -j"$(nproc)"
rm -f "$dir"/harmodex_*.deb
(cd "$dir" && cpack -G DEB >/dev/null)
realpath "$dir"/harmodex_*.deb
