#!/usr/bin/env bash
# Installs into a scratch prefix and checks that a desktop would find the
# programs, a valid menu entry, the icon and valid AppStream metainfo, and
# that Python imports the installed module.
# Usage: install_check.sh BUILD-DIR
set -euo pipefail
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$1" --prefix "$prefix" >/dev/null
for f in bin/harmodex bin/harmodex-cli \
         share/applications/org.harmodex.Harmodex.desktop \
         share/icons/hicolor/scalable/apps/org.harmodex.Harmodex.svg \
         share/metainfo/org.harmodex.Harmodex.metainfo.xml; do
  [ -e "$prefix/$f" ] || { echo "FAIL: $f was not installed"; exit 1; }
done
grep -qx 'Exec=harmodex' "$prefix/share/applications/org.harmodex.Harmodex.desktop"
desktop-file-validate "$prefix/share/applications/org.harmodex.Harmodex.desktop"
if command -v appstreamcli >/dev/null; then
  appstreamcli validate --no-net "$prefix/share/metainfo/org.harmodex.Harmodex.metainfo.xml"
fi
analysis=$("$prefix/bin/harmodex-cli" analyse "0 4 7")
grep -q '"forteName": "3-11b"' <<<"$analysis" || { echo "FAIL: the installed harmodex-cli does not analyse"; exit 1; }
# The Python module, when the build made one: the prefix's Python finds it
# under lib/python3.X/dist-packages (a prefix other than /usr).
if compgen -G "$1/python/harmodex*.so" >/dev/null; then
  site=$(compgen -G "$prefix/lib/python3*/dist-packages" | head -n 1 || true)
  [ -n "$site" ] && compgen -G "$site/harmodex*.so" >/dev/null || { echo "FAIL: the Python module was not installed"; exit 1; }
  name=$(PYTHONPATH="$site" /usr/bin/python3 -c 'import harmodex; print(harmodex.read("0 4 7")["forteName"])')
  [ "$name" = 3-11b ] || { echo "FAIL: the installed Python module does not read sets"; exit 1; }
fi
echo "installed and valid"
