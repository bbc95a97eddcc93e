#!/usr/bin/env bash
# The whole book as a PDF: 351 pages of 17 x 24 cm, page 24 the major triad.
# Usage: book_pdf.sh PATH/TO/harmodex-cli
set -euo pipefail
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$1" book -o "$work/book.pdf"
pages=$(pdfinfo "$work/book.pdf" | awk '/^Pages:/ {print $2}')
[ "$pages" = 351 ] || { echo "FAIL: the PDF has $pages pages, not 351"; exit 1; }
pdfinfo "$work/book.pdf" | grep -q 'Page size: *48[12]\.[0-9]* x 680\.[0-9]* pts' || { echo "FAIL: pages are not 17 x 24 cm"; pdfinfo "$work/book.pdf"; exit 1; }
text=$(pdftotext -f 24 -l 24 -layout "$work/book.pdf" -)
grep -q '13.12.14' <<<"$text" && grep -q -- '- 24 -' <<<"$text" || { echo "FAIL: page 24 is not the major triad's"; exit 1; }
ls "$work" | grep -q harmodex-pdf && { echo "FAIL: a temporary file was left"; exit 1; }
echo "book.pdf: 351 pages of 17 x 24 cm; page 24 is 0 4 7 (13.12.14)"
