#!/usr/bin/env bash
# Where harmodex-cli writes, as a user meets it: each format read back by its
# own reader, hostile file names, standard output and pipes, permissions,
# links, and (as root, inside a private mount namespace on a scratch tmpfs,
# never the machine's /dev) device nodes and a full disk.
# Usage: output_targets.sh PATH/TO/harmodex-cli
set -uo pipefail
cli=$(realpath "$1")
failures=0
pass=0
ok() { pass=$((pass + 1)); }
bad() { echo "FAIL: $*"; failures=$((failures + 1)); }
expect() { local what=$1; shift; if "$@"; then ok; else bad "$what"; fi; }
is_eps() { head -c 23 "$1" 2>/dev/null | grep -q '^%!PS-Adobe-3.0 EPSF-3.0'; }
entries() { local all=("$1"/* "$1"/.[!.]*); local n=0 f; for f in "${all[@]}"; do [ -e "$f" ] && n=$((n + 1)); done; echo $n; }

if [ "$(id -u)" = 0 ] && [ -z "${HARMODEX_PRIVATE_MOUNTS:-}" ] && unshare -m --propagation private true 2>/dev/null; then
  exec unshare -m --propagation private env HARMODEX_PRIVATE_MOUNTS=1 bash "$0" "$@"
fi

work=$(mktemp -d)
trap 'umount "$work/dev" "$work/small" 2>/dev/null; chmod -R u+w "$work" 2>/dev/null; rm -rf "$work"' EXIT
chmod 755 "$work"
cd "$work" || exit 1

# --- Each format, checked by its own reader ---------------------------------
"$cli" page "0 4 7" -o triad.pdf && "$cli" page "0 4 7" -o triad.png && "$cli" page "0 4 7" -o triad.svg &&
  "$cli" page "0 4 7" --format pdf -o triad-pdf || bad "a format could not be written"
info=$(pdfinfo triad.pdf 2>&1)
expect "PDF has one page" grep -q '^Pages: *1$' <<<"$info"
expect "PDF page is the bounding box" grep -Eq '^Page size: *4(8[0-2]|79)(\.[0-9]+)? x 6(79|80|81)(\.[0-9]+)? pts' <<<"$info"
expect "PDF title names page, Forte name and set" grep -q '^Title: *Harmodex page 24: 3-11b (0 4 7)$' <<<"$info"
maker="Harmodex $("$cli" --version | awk '{print $2}')"
expect "PDF names Harmodex and its version as creator" grep -q "^Creator: *$maker\$" <<<"$info"
expect "--format pdf wins for a name without extension" cmp -s <(pdfinfo triad-pdf | grep Pages) <(grep Pages <<<"$info")
expect "PNG records 300 dpi" test "$(identify -units PixelsPerInch -format '%x %y' triad.png)" = "300 300"
expect "PNG is the page at 300 dpi" test "$(identify -format '%w' triad.png)" -ge 2000
expect "SVG renders" rsvg-convert -o svg.png triad.svg
expect "SVG is the page's size" grep -q 'width="48[0-2][.0-9]*pt" height="6[78][0-9][.0-9]*pt"' triad.svg

# --- Hostile names: written where asked, nothing else runs ------------------
names=("x'; touch PWNED; echo '" '$(touch PWNED)' '`touch PWNED`' '%d page' '%s%n%%' 'with  spaces'
       $'new\nline' '-leading-dash' '"double" \quote')
for name in "${names[@]}"; do
  mkdir -p "$work/$name"
  target="$work/$name/$name.pdf"
  if "$cli" page "0 4 7" --output="$target" 2>err.txt && pdfinfo "$target" >/dev/null 2>&1; then ok
  else bad "hostile name [$name]: $(cat err.txt)"; fi
  expect "nothing ran for [$name]" test ! -e PWNED -a ! -e "$work/$name/PWNED"
  expect "only the page is in [$name]" test "$(entries "$work/$name")" = 1
done
# The scratch folder Ghostscript writes into may have a '%' in its name too.
mkdir -p "$work/tmp%d"
TMPDIR="$work/tmp%d" "$cli" page "0 4 7" -o viatmp.pdf || bad "a '%' in TMPDIR"
expect "nothing left in TMPDIR" test "$(entries "$work/tmp%d")" = 0
# The preview's Ghostscript works in TMPDIR too: a hostile name there
# must neither run anything nor stop the page from rendering.
for name in "${names[@]}"; do
  rm -f "$work/PWNED" "$work/$name/PWNED" viatmp.png
  TMPDIR="$work/$name" "$cli" render "0 4 7" -o viatmp.png 2>err.txt || bad "render with TMPDIR [$name]: $(cat err.txt)"
  expect "the preview renders with TMPDIR [$name]" test "$(identify -format '%w' viatmp.png 2>/dev/null)" = 1035
  expect "nothing ran with TMPDIR [$name]" test ! -e "$work/PWNED" -a ! -e "$work/$name/PWNED"
done
# A Ghostscript that cannot run: a plain message, no file, no scratch left.
PATH=/nonexistent TMPDIR="$work/tmp%d" "$cli" page "0 4 7" -o nogs.pdf 2>err.txt && bad "a PDF without Ghostscript"
expect "a missing Ghostscript is named" grep -q 'Ghostscript could not be started' err.txt
expect "no file and no scratch left without Ghostscript" test ! -e nogs.pdf -a "$(entries "$work/tmp%d")" = 0

# --- Standard output, /dev/stdout, a pipe, a named pipe ----------------------
"$cli" page "0 4 7" -o - >dash.eps && expect "-o - is standard output" is_eps dash.eps
"$cli" page "0 4 7" -o /dev/stdout >devout.eps && expect "/dev/stdout into a file" is_eps devout.eps
expect "/dev/stdout stays what it was" test -L /dev/stdout -o -c /dev/stdout
"$cli" page "0 4 7" -o /dev/stdout | cat >piped.eps && expect "/dev/stdout into a pipe" is_eps piped.eps
mkfifo fifo
cat fifo >fromfifo.eps &
"$cli" page "0 4 7" -o fifo || bad "writing into a named pipe"
wait
expect "named pipe received the page" is_eps fromfifo.eps
expect "named pipe is still a pipe" test -p fifo
"$cli" book -o - 2>broken.txt | head -c 100 >/dev/null
status=${PIPESTATUS[0]}
expect "a closed pipe is an error, not SIGPIPE (status $status)" test "$status" = 1
expect "a closed pipe is named" grep -q 'Broken pipe' broken.txt

# --- Permissions and links --------------------------------------------------
(umask 022 && "$cli" page "0 4 7" -o m022.eps) && expect "umask 022 gives 0644" test "$(stat -c %a m022.eps)" = 644
(umask 077 && "$cli" page "0 4 7" -o m077.pdf) && expect "umask 077 gives 0600" test "$(stat -c %a m077.pdf)" = 600
echo old >real.eps; chmod 640 real.eps; ln -s real.eps link.eps
"$cli" page "0 4 7" -o link.eps
expect "a symlink stays a symlink" test -L link.eps
expect "the symlink's target gets the page" is_eps real.eps
expect "the target keeps its permissions" test "$(stat -c %a real.eps)" = 640
echo old >first.eps; ln first.eps second.eps
"$cli" page "0 4 7" -o second.eps
expect "hard links stay linked" test first.eps -ef second.eps
expect "both names show the page" is_eps first.eps
mkdir shut; echo old >shut/open.eps; chmod 666 shut/open.eps; chmod 555 shut
if [ "$(id -u)" = 0 ]; then as_user=(setpriv --reuid=65534 --regid=65534 --clear-groups); else as_user=(); fi
"${as_user[@]}" "$cli" page "0 4 7" -o shut/open.eps 2>err.txt || bad "writable file in a read-only folder: $(cat err.txt)"
expect "the file in the read-only folder has the page" is_eps shut/open.eps
"${as_user[@]}" "$cli" page "0 4 7" -o shut/new.eps 2>err.txt
expect "a new file in a read-only folder is refused with the reason" grep -q 'cannot write .*shut/new.eps: Permission denied' err.txt

# --- Devices and a full disk (root, private mounts only) --------------------
if [ -n "${HARMODEX_PRIVATE_MOUNTS:-}" ]; then
  mkdir dev small
  mount -t tmpfs -o size=1m,mode=0755 scratch-dev dev && mount -t tmpfs -o size=64k,mode=0777 scratch-small small ||
    bad "cannot mount the scratch folders"
  mknod -m 666 dev/null c 1 3 && mknod -m 666 dev/full c 1 7 || bad "mknod"
  for fmt in eps pdf; do
    "$cli" page "0 4 7" --format $fmt -o dev/null || bad "writing $fmt to a null device"
    expect "null device is still a device" test -c dev/null
    if "$cli" page "0 4 7" --format $fmt -o dev/full 2>err.txt; then bad "a full device reported success"; else ok; fi
    expect "full device says so" grep -q 'cannot write dev/full: No space left on device' err.txt
    expect "full device is still a device" test -c dev/full
  done
  echo keep >small/old.eps
  "$cli" page "0 4 7" -o small/old.eps 2>err.txt && bad "a full disk reported success"
  expect "full disk names the reason" grep -q 'No space left on device' err.txt
  expect "the old file is intact on a full disk" test "$(cat small/old.eps)" = keep
  "$cli" page "0 4 7" -o small/new.eps 2>/dev/null
  expect "nothing half written is left on a full disk" test "$(ls -A small)" = old.eps
else
  echo "note: device and full-disk cases need root and a private mount namespace; skipped"
fi

echo "$pass passed, $failures failed"
[ "$failures" = 0 ]
