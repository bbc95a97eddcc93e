#!/usr/bin/env bash
# The window as a screen reader meets it, over the accessibility bus: every
# control that takes the focus has a name; after 0 4 7 is typed the page's
# description names 3-11b and 13.12.14; F1 opens the guide, whose search for
# "phonicity" finds the section on the measures.
# Usage (inside an X server): accessibility.sh PATH/TO/harmodex
set -u
harmodex=$(realpath "$1")
here=$(dirname "$(realpath "$0")")
if [ -z "${HARMODEX_A11Y_SESSION:-}" ]; then
  command -v dbus-run-session >/dev/null || { echo "SKIP: dbus-run-session is missing"; exit 77; }
  export HARMODEX_A11Y_SESSION=1
  exec dbus-run-session -- bash "$0" "$@"
fi
launcher=""
for candidate in /usr/libexec/at-spi-bus-launcher /usr/lib/at-spi2-core/at-spi-bus-launcher; do
  [ -x "$candidate" ] && launcher=$candidate
done
[ -n "$launcher" ] || { echo "SKIP: at-spi-bus-launcher is missing (at-spi2-core)"; exit 77; }
/usr/bin/python3 -c 'import gi; gi.require_version("Atspi", "2.0")' 2>/dev/null ||
  { echo "SKIP: the Atspi bindings are missing (python3-gi, gir1.2-atspi-2.0)"; exit 77; }
"$launcher" --launch-immediately &
bus=$!
export NO_AT_BRIDGE=0 GTK_A11Y=atspi
"$harmodex" &
app=$!
/usr/bin/python3 "$here/accessibility_client.py"
status=$?
kill "$app" "$bus" 2>/dev/null
wait "$app" 2>/dev/null
exit $status
