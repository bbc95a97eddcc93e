#!/usr/bin/env bash
# The manual pages and the bash completion keep up with harmodex-cli: every
# subcommand its --help lists, and every option of each, is in the manual
# page and offered by the completion; both manual pages render without a
# groff warning; Tab offers the subcommands, their options and, after -o,
# the files of the subcommand's formats.
# Usage: docs_check.sh PATH/TO/harmodex-cli SOURCE-DIR BUILD-DIR
set -euo pipefail
cli=$(realpath "$1")
source_dir=$(realpath "$2")
build_dir=$(realpath "$3")
manual="$source_dir/man/harmodex-cli.1.in"
completion="$source_dir/completion/harmodex-cli"
failures=0
bad() { echo "FAIL: $*"; failures=$((failures + 1)); }

# --- Every subcommand and option documented and completed -------------------
subcommands=$("$cli" --help | awk '/^Subcommands:/ {on = 1; next} on && /^  [a-z]/ {print $1}')
[ "$(wc -w <<<"$subcommands")" -ge 9 ] || bad "harmodex-cli --help lists only: $subcommands"
# The long options of the Options: section of a --help (in roff: \-\-name).
options_of() {
  "$cli" "$@" --help | awk '/^Options:/ {on = 1; next} on && /^$/ {on = 0} on' |
    grep -oE '(^|[ ,])--[a-z][a-z0-9-]*' | sed 's/^[ ,]*//' | sort -u
}
for option in $(options_of); do
  grep -qF -- "${option//-/\\-}" "$manual" || bad "harmodex-cli $option is not in the manual page"
  grep -qE -- "(^|[ \"])$option( |\"|$)" "$completion" || bad "harmodex-cli $option is not offered by the completion"
done
for command in $subcommands; do
  grep -qE "^\.SS $command( |$)" "$manual" || bad "subcommand $command has no section (.SS $command) in the manual page"
  grep -qE "subcommands=\".*\b$command\b" "$completion" || bad "subcommand $command is not offered by the completion"
  grep -qE "^ +$command\)" "$completion" || bad "the completion knows no options of $command"
  for option in $(options_of "$command"); do
    [ "$option" = --help ] && continue
    grep -qF -- "${option//-/\\-}" "$manual" || bad "$command $option is not in the manual page"
    grep -qE "^ +$command\).*[ \"]$option( |\")" "$completion" || bad "the completion does not offer $command $option"
  done
done

# --- The manual pages render cleanly ----------------------------------------
for page in harmodex.1 harmodex-cli.1; do
  warnings=$(LC_ALL=C.UTF-8 groff -ww -man -Tutf8 -z "$build_dir/man/$page" 2>&1 || true)
  [ -z "$warnings" ] || bad "groff warns about $page: $warnings"
  grep -q "Harmodex $("$cli" --version | awk '{print $2}')" "$build_dir/man/$page" || bad "$page does not carry the version"
done

# --- Tab completes ----------------------------------------------------------
if [ ! -f /usr/share/bash-completion/bash_completion ]; then
  echo "bash-completion is not installed: the completion is not tried"
else
  work=$(mktemp -d)
  trap 'rm -rf "$work"' EXIT
  cd "$work"
  touch triad.pdf triad.png triad.wav triad.mid notes.txt
  mkdir folder
  # Prints what Tab offers after the given words (the last one being typed).
  offered() {
    bash -c 'source /usr/share/bash-completion/bash_completion; source "$0"
             COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1)); COMP_LINE="$*"; COMP_POINT=${#COMP_LINE}
             _harmodex_cli harmodex-cli "${COMP_WORDS[-1]}" "${COMP_WORDS[-2]}"
             printf "%s\n" "${COMPREPLY[@]}" | sort | tr "\n" " "' "$completion" "$@"
  }
  expect_offer() {
    local want=$1; shift
    local got
    got=$(offered "$@")
    [ "$got" = "$want" ] || bad "Tab after '$*' offers '$got', not '$want'"
  }
  expect_offer "$(tr ' ' '\n' <<<"$subcommands" | sort | tr '\n' ' ')" harmodex-cli ""
  expect_offer "page play " harmodex-cli p
  expect_offer "analyse " harmodex-cli --literal an
  expect_offer "--format --help --literal --output --version " harmodex-cli page "0 4 7" --
  expect_offer "folder triad.pdf triad.png " harmodex-cli page "0 4 7" -o ""
  expect_offer "folder triad.png " harmodex-cli page "0 4 7" --format png -o ""
  expect_offer "folder triad.wav " harmodex-cli sound "0 4 7" --output ""
  expect_offer "folder triad.mid " harmodex-cli midi 13.12.14 -o ""
  expect_offer "folder triad.pdf " harmodex-cli book -o ""
  expect_offer "pdf png " harmodex-cli page x --format p
  expect_offer "1 10 11 12 " harmodex-cli find --size 1
fi

[ "$failures" -eq 0 ] || exit 1
echo "every subcommand and option is in the manual page and the completion; pages render cleanly; Tab completes"
