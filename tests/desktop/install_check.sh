#!/usr/bin/env bash
# Installs into a scratch prefix and checks that a desktop would find the
# programs, a valid menu entry, the icons (scalable, and PNG drawn at each
# size), valid AppStream metainfo naming this version, the manual pages and
# the bash completion, and that Python imports the installed module.
# Usage: install_check.sh BUILD-DIR
set -euo pipefail
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$1" --prefix "$prefix" >/dev/null
for f in bin/harmodex bin/harmodex-cli \
         share/applications/org.harmodex.Harmodex.desktop \
         share/icons/hicolor/scalable/apps/org.harmodex.Harmodex.svg \
         share/metainfo/org.harmodex.Harmodex.metainfo.xml \
         share/man/man1/harmodex.1.gz share/man/man1/harmodex-cli.1.gz \
         share/bash-completion/completions/harmodex-cli; do
  [ -e "$prefix/$f" ] || { echo "FAIL: $f was not installed"; exit 1; }
done
grep -qx 'Exec=harmodex' "$prefix/share/applications/org.harmodex.Harmodex.desktop"
desktop-file-validate "$prefix/share/applications/org.harmodex.Harmodex.desktop"
if command -v appstreamcli >/dev/null; then
  appstreamcli validate --no-net "$prefix/share/metainfo/org.harmodex.Harmodex.metainfo.xml"
fi
for size in 48 64 128 256; do
  png="$prefix/share/icons/hicolor/${size}x${size}/apps/org.harmodex.Harmodex.png"
  drawn=$(/usr/bin/python3 -c 'import struct, sys
data = open(sys.argv[1], "rb").read(24)
print("%dx%d" % struct.unpack(">II", data[16:24]) if data[:8] == b"\x89PNG\r\n\x1a\n" else "not a PNG")' "$png" 2>&1 || true)
  [ "$drawn" = "${size}x${size}" ] || { echo "FAIL: the ${size}x${size} icon is $drawn"; exit 1; }
done
version=$("$prefix/bin/harmodex-cli" --version | awk '{print $2}')
grep -q "<release version=\"$version\" date=\"[0-9-]*\"" "$prefix/share/metainfo/org.harmodex.Harmodex.metainfo.xml" ||
  { echo "FAIL: the metainfo has no release entry for $version"; exit 1; }
grep -q '<screenshot type="default">' "$prefix/share/metainfo/org.harmodex.Harmodex.metainfo.xml" ||
  { echo "FAIL: the metainfo shows no screenshot"; exit 1; }
# The screenshot the metainfo names is the one in the repository, at its size.
shot=$(/usr/bin/python3 -c 'import struct, sys
print("width=\"%d\" height=\"%d\"" % struct.unpack(">II", open(sys.argv[1], "rb").read(24)[16:24]))' \
  "$(dirname "$0")/../../desktop/screenshot.png")
grep -q "<image type=\"source\" $shot>" "$prefix/share/metainfo/org.harmodex.Harmodex.metainfo.xml" ||
  { echo "FAIL: the metainfo does not give the screenshot's size ($shot)"; exit 1; }
for page in harmodex harmodex-cli; do
  zcat "$prefix/share/man/man1/$page.1.gz" | grep -q "^\.TH .*\"Harmodex $version\"" || { echo "FAIL: $page(1) does not name version $version"; exit 1; }
done
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
