#!/usr/bin/env bash
# The Debian package as a user meets it: built by scripts/package.sh; lintian
# finds no error and no warning that packaging/lintian-warnings.txt does not
# explain; it holds exactly packaging/files.txt; installed, harmodex-cli
# makes a PDF page from an empty folder, Python imports the module, man
# renders both pages without warnings and Tab offers the subcommands; removed,
# it leaves the system as it was.
# The install into the system itself happens only in CI (CI=true, as root,
# on a machine thrown away after the run); elsewhere into a scratch root
# through dpkg --root.
# Usage: package_check.sh SOURCE-DIR PACKAGE-BUILD-DIR
set -euo pipefail
source_dir=$(realpath "$1")
build_dir=$2
for tool in lintian dpkg-deb dpkg-shlibdeps groff man; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
work=$(mktemp -d)
cleanup() { rm -rf "$work"; }
trap cleanup EXIT
failures=0
bad() { echo "FAIL: $*"; failures=$((failures + 1)); }

deb=$("$source_dir/scripts/package.sh" "$build_dir" | tail -n 1)
[ -f "$deb" ] || { echo "FAIL: scripts/package.sh made no package"; exit 1; }
echo "package: $deb"
version=$(dpkg-deb -f "$deb" Version)

# --- lintian ----------------------------------------------------------------
lintian --no-cfg --tag-display-limit 0 "$deb" >"$work/lintian" 2>&1 || true
explained=$(grep -vE '^(#|$)' "$source_dir/packaging/lintian-warnings.txt" | awk '{print $1}' || true)
while read -r severity _ tag rest; do
  case $severity in
    E:) bad "lintian error: $tag $rest" ;;
    W:) grep -qxF "$tag" <<<"$explained" || bad "lintian warning not explained in packaging/lintian-warnings.txt: $tag $rest" ;;
  esac
done <"$work/lintian"
echo "lintian: $(grep -c '^E:' "$work/lintian" || true) errors, $(grep -c '^W:' "$work/lintian" || true) warnings"

# --- dpkg-deb -c ------------------------------------------------------------
suffix=$(/usr/bin/python3 -c 'import sysconfig; print(sysconfig.get_config_var("EXT_SUFFIX"))')
grep -vE '^(#|$)' "$source_dir/packaging/files.txt" | sed "s/@EXT_SUFFIX@/$suffix/" | sort >"$work/expected"
dpkg-deb -c "$deb" | awk '$1 !~ /^d/ {print $6}' | sed 's|^\./|/|' | sort >"$work/listed"
diff -u "$work/expected" "$work/listed" >"$work/files.diff" || bad "the package's files differ from packaging/files.txt: $(cat "$work/files.diff")"
dpkg-deb -c "$deb" | awk '$2 != "root/root" {print}' | grep -q . && bad "files not owned by root"
depends=$(dpkg-deb -f "$deb" Depends)
for needed in ghostscript fonts-urw-base35 timgm6mb-soundfont libgtk-3-0 libfluidsynth3 python3; do
  grep -q "\b$needed\b" <<<"$depends" || bad "Depends lacks $needed: $depends"
done

# --- Installed: what a user does ---------------------------------------------
# Checks an installed tree under root (/ for the system): the programs, the
# manual pages and the completion.
use_installed() {
  local root=$1
  local empty="$work/empty"
  mkdir -p "$empty"
  (cd "$empty" && "$root/usr/bin/harmodex-cli" page "0 4 7" -o x.pdf) || bad "harmodex-cli page failed in an empty folder"
  head -c 5 "$empty/x.pdf" | grep -q '%PDF-' || bad "harmodex-cli page wrote no PDF"
  [ "$("$root/usr/bin/harmodex-cli" --version)" = "harmodex-cli $version" ] || bad "harmodex-cli --version is not $version"
  name=$(cd "$empty" && PYTHONPATH="${2:-}" /usr/bin/python3 -c 'import harmodex; print(harmodex.read("0 4 7")["forteName"])') || true
  [ "$name" = 3-11b ] || bad "the installed Python module does not read sets"
  for page in harmodex harmodex-cli; do
    warnings=$(MANROFFSEQ='' MANWIDTH=80 man --warnings=w -l "$root/usr/share/man/man1/$page.1.gz" 2>&1 >/dev/null || true)
    [ -z "$warnings" ] || bad "man warns about $page(1): $warnings"
    man -l "$root/usr/share/man/man1/$page.1.gz" 2>/dev/null | grep -q "EXIT STATUS" || bad "$page(1) does not render"
  done
  if [ -f /usr/share/bash-completion/bash_completion ]; then
    offered=$(bash -c 'source /usr/share/bash-completion/bash_completion; source "$0"
                       COMP_WORDS=(harmodex-cli ""); COMP_CWORD=1; COMP_LINE="harmodex-cli "; COMP_POINT=13
                       _harmodex_cli harmodex-cli "" harmodex-cli; echo "${COMPREPLY[*]}"' \
                "$root/usr/share/bash-completion/completions/harmodex-cli")
    for command in analyse page book render musicxml find play sound midi; do
      grep -qw "$command" <<<"$offered" || bad "Tab does not offer $command (offered: $offered)"
    done
  fi
  rm -rf "$empty"
}

if [ "${CI:-}" = true ] && [ "$(id -u)" -eq 0 ]; then
  # The system's package states and the folders the package writes into,
  # before and after; caches that other packages' triggers rebuild (icons,
  # menu entries' types) are not the package's.
  snapshot() {
    dpkg-query -W -f '${Package} ${Version} ${Status}\n' | sort
    { find /usr/bin /usr/lib/python3/dist-packages /usr/share/applications /usr/share/bash-completion \
        /usr/share/doc /usr/share/icons/hicolor /usr/share/man/man1 /usr/share/metainfo \
        -not -name icon-theme.cache -not -name mimeinfo.cache 2>/dev/null || true; } | sort
  }
  snapshot >"$work/before"
  dpkg-query -W -f '${Package}\n' | sort >"$work/packages-before"
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "$deb" >"$work/apt.log" 2>&1 || { cat "$work/apt.log"; bad "apt-get install failed"; }
  command -v harmodex-cli | grep -qx /usr/bin/harmodex-cli || bad "harmodex-cli is not on the PATH"
  use_installed ""
  man -w harmodex-cli >/dev/null 2>&1 || bad "man harmodex-cli finds no page"
  # Removed, with whatever it pulled in, and purged.
  dpkg-query -W -f '${Package}\n' | sort >"$work/packages-after"
  pulled=$(comm -13 "$work/packages-before" "$work/packages-after")
  DEBIAN_FRONTEND=noninteractive apt-get purge -y -qq $pulled >>"$work/apt.log" 2>&1 || { cat "$work/apt.log"; bad "apt-get purge failed"; }
  snapshot >"$work/after"
  diff -u "$work/before" "$work/after" >"$work/system.diff" || bad "the system is not as it was: $(cat "$work/system.diff")"
  echo "installed with apt-get, used, purged: the system is as it was"
else
  # A scratch root with an empty package database: dpkg installs the files
  # there (its dependencies are the host's), the programs run with the host's
  # libraries, and the purge must leave nothing but the database.
  root="$work/root"
  mkdir -p "$root/var/lib/dpkg/info" "$root/var/lib/dpkg/updates"
  touch "$root/var/lib/dpkg/status" "$root/var/lib/dpkg/available"
  find "$root" | sort >"$work/root-before"
  if dpkg --root="$root" --force-depends --force-not-root --log=/dev/null -i "$deb" >"$work/dpkg.log" 2>&1; then
    use_installed "$root" "$root/usr/lib/python3/dist-packages"
    dpkg --root="$root" --force-not-root --log=/dev/null --purge harmodex >>"$work/dpkg.log" 2>&1 || bad "dpkg --purge failed: $(cat "$work/dpkg.log")"
    # dpkg keeps its own bookkeeping; everything else must be gone.
    find "$root" -not -path "$root/var/lib/dpkg*" -not -path "$root/var/lib" -not -path "$root/var" | sort >"$work/root-after"
    diff -u <(grep -v "^$root/var" "$work/root-before") <(grep -v "^$root/var" "$work/root-after") >"$work/root.diff" ||
      bad "the purge left files behind: $(cat "$work/root.diff")"
    echo "installed under dpkg --root, used, purged: nothing left (the install into the system runs in CI only)"
  else
    echo "dpkg --root could not install here ($(tail -n 1 "$work/dpkg.log")): the install and removal are not tried (they run in CI)"
  fi
fi

[ "$failures" -eq 0 ] || exit 1
echo "the package builds, passes lintian and installs as expected"
