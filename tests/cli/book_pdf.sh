#!/usr/bin/env bash
# The whole book as a PDF: 351 pages of 17 x 24 cm, page 24 the major triad,
# a title and subject, one bookmark per page, the usual permissions, written
# into a folder whose name once ran a command.
# Usage: book_pdf.sh PATH/TO/harmodex-cli
set -euo pipefail
cli=$(realpath "$1")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
folder="$work/x'; touch PWNED; echo '%d"
mkdir "$folder"
cd "$work"
(umask 022 && "$cli" book -o "$folder/book.pdf")
book="$folder/book.pdf"
info=$(pdfinfo "$book")
pages=$(awk '/^Pages:/ {print $2}' <<<"$info")
[ "$pages" = 351 ] || { echo "FAIL: the PDF has $pages pages, not 351"; exit 1; }
grep -q 'Page size: *48[12]\.[0-9]* x 680\.[0-9]* pts' <<<"$info" || { echo "FAIL: pages are not 17 x 24 cm"; echo "$info"; exit 1; }
grep -q '^Title: *Harmodex' <<<"$info" && grep -q '^Subject: *.*Tn-type' <<<"$info" || { echo "FAIL: no title or subject"; echo "$info"; exit 1; }
maker="Harmodex $("$cli" --version | awk '{print $2}')"
grep -q "^Creator: *$maker\$" <<<"$info" || { echo "FAIL: not made by $maker"; echo "$info"; exit 1; }
text=$(pdftotext -f 24 -l 24 -layout "$book" -)
grep -q '13.12.14' <<<"$text" && grep -q -- '- 24 -' <<<"$text" || { echo "FAIL: page 24 is not the major triad's"; exit 1; }
text=$(pdftotext -f 351 -l 351 -layout "$book" -)
grep -q -- '- 351 -' <<<"$text" || { echo "FAIL: the last page is not page 351"; exit 1; }
bookmarks=$(qpdf --json --json-key=outlines "$book" | python3 -c '
import json, sys
def walk(items):
    for item in items:
        yield item
        yield from walk(item.get("kids", []))
items = list(walk(json.load(sys.stdin)["outlines"]))
print(len(items), items[23]["title"], items[23]["destpageposfrom1"])')
[ "$bookmarks" = "351 24 · 3-11b · 0 4 7 24" ] || { echo "FAIL: bookmarks: $bookmarks"; exit 1; }
[ "$(stat -c %a "$book")" = 644 ] || { echo "FAIL: mode $(stat -c %a "$book") under umask 022"; exit 1; }
[ ! -e PWNED ] && [ ! -e "$folder/PWNED" ] || { echo "FAIL: the folder name ran a command"; exit 1; }
[ "$(ls -A "$folder")" = book.pdf ] || { echo "FAIL: left behind: $(ls -A "$folder")"; exit 1; }
echo "book.pdf: 351 pages of 17 x 24 cm, 351 bookmarks, titled; page 24 is 0 4 7 (13.12.14)"
