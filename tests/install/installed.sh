#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks of the installed program, run by ctest: installed.sh <check> <build> <prefix> <app id>
#   install   install into <prefix> (emptied first) and check every file is there
#   entry     desktop-file-validate on the desktop entry
#   metainfo  appstreamcli validate on the AppStream metadata, alone and with
#             the installed tree it names (desktop entry, icons)
#   mime      the setup files' MIME type is well-formed XML, builds a MIME
#             database that gives *.kxs its type, and is the desktop entry's
#   manpages  the manual pages render without a warning
#   start     the installed kurvex starts offscreen and answers a second start
#   options   kurvex --help and kurvex-sim --help name the same options as
#             their manual pages
#   package   the Debian package builds, carries its copyright and a changelog
#             of the version it is, and lintian finds nothing but the tags
#             lintian-kept names (with the reason each is kept)
set -euo pipefail
check=$1 build=$2 prefix=$3 id=$4
share=$prefix/share

fail() { echo "FAIL: $*" >&2; exit 1; }

# Polls for an event with a deadline, so a slow machine only waits longer.
wait_until() {
  local what=$1; shift
  for _ in $(seq 200); do "$@" && return 0; sleep 0.05; done
  fail "$what"
}

case $check in
install)
  rm -rf "$prefix"
  cmake --install "$build" --prefix "$prefix" >/dev/null
  for f in bin/kurvex bin/kurvex-sim; do [ -x "$prefix/$f" ] || fail "$f missing"; done
  for f in applications/$id.desktop metainfo/$id.metainfo.xml mime/packages/$id.xml icons/hicolor/scalable/apps/$id.svg \
           man/man1/kurvex.1.gz man/man1/kurvex-sim.1.gz doc/kurvex/copyright doc/kurvex/changelog.gz; do
    [ -s "$share/$f" ] || fail "share/$f missing"
  done
  for size in 16 22 24 32 48 64 128 256; do
    png=$share/icons/hicolor/${size}x$size/apps/$id.png
    file "$png" | grep -q "PNG image data, $size x $size," || fail "$png is not a ${size}×$size PNG"
  done
  # What the entry names must be what was installed.
  grep -qx "Exec=kurvex %f" "$share/applications/$id.desktop" || fail "Exec is not kurvex %f"
  grep -qx "Icon=$id" "$share/applications/$id.desktop" || fail "Icon is not $id"
  ;;
entry)
  desktop-file-validate "$share/applications/$id.desktop"
  ;;
metainfo)
  appstreamcli validate --no-net "$share/metainfo/$id.metainfo.xml"
  appstreamcli validate-tree --no-net "$prefix"
  ;;
manpages)
  for page in kurvex kurvex-sim; do
    warnings=$(zcat "$share/man/man1/$page.1.gz" | groff -man -ww -z 2>&1)
    [ -z "$warnings" ] || fail "$page.1: $warnings"
  done
  ;;
mime)
  xmllint --noout "$share/mime/packages/$id.xml"
  data=$(mktemp -d)
  trap 'rm -rf "$data"' EXIT
  database=$data/mime
  mkdir -p "$database/packages"
  cp "$share/mime/packages/$id.xml" "$database/packages/"
  # In the data folders searched, so that it builds without a word.
  errors=$(XDG_DATA_HOME=$data update-mime-database "$database" 2>&1)
  [ -z "$errors" ] || fail "update-mime-database: $errors"
  type=$(awk -F: '$3 == "*.kxs" { print $2 }' "$database/globs2")
  [ -n "$type" ] || fail "no MIME type for *.kxs"
  grep -qx "MimeType=$type;" "$share/applications/$id.desktop" || fail "the desktop entry does not open $type"
  ;;
start)
  runtime=$(mktemp -d)
  log=$runtime/first.log
  trap 'kill "$first" 2>/dev/null || true; wait 2>/dev/null || true; rm -rf "$runtime"' EXIT
  export QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR=$runtime
  "$prefix/bin/kurvex" 2>"$log" &
  first=$!
  # Its single-instance socket appears once it runs; a second start then
  # brings it forward and ends at once.
  wait_until "kurvex did not start: $(cat "$log")" test -S "$runtime/KURVEX.socket"
  "$prefix/bin/kurvex" || fail "the second start ended with $?"
  wait_until "the running kurvex did not answer: $(cat "$log")" \
    grep -q "a second start brought this window to the front" "$log"
  kill -0 "$first" || fail "kurvex ended"
  ;;
options)
  # Each option with its argument name, as "--port N", one per line.
  options() { tr ',' ' ' | awk '{ for (i = 1; i <= NF; i++) if ($i ~ /^-/)
    print $i ((i < NF && $(i + 1) !~ /^-/) ? " " $(i + 1) : "") }' | sort; }
  for program in kurvex kurvex-sim; do
    help=$("$prefix/bin/$program" --help | sed -nE 's/^  (-([^ ]| [^ ])*)  .*/\1/p' | options)
    page=$(zcat "$share/man/man1/$program.1.gz" | awk '/^\.SH/ { in_options = /OPTIONS/ }
      in_options && after_tp { print } { after_tp = /^\.TP/ }' |
      sed -E 's/^\.[A-Z]+ //; s/\\-/-/g; s/"//g' | options)
    [ -n "$help" ] || fail "$program --help names no option"
    [ "$help" = "$page" ] || fail "$program --help and $program(1) differ:
$(diff <(echo "$help") <(echo "$page") | grep '^[<>]')"
  done
  ;;
package)
  rm -f "$build"/package/kurvex_*.deb
  packed=$(cd "$build" && cpack -G DEB 2>&1) || fail "cpack: $packed"
  deb=$(echo "$build"/package/kurvex_*.deb)
  [ -f "$deb" ] || fail "no package in $build/package"
  dir=$(mktemp -d)
  trap 'rm -rf "$dir"' EXIT
  dpkg-deb -x "$deb" "$dir"
  doc=$dir/usr/share/doc/kurvex
  [ -s "$doc/copyright" ] || fail "the package has no /usr/share/doc/kurvex/copyright"
  [ "$(zcat "$doc/changelog.gz" | dpkg-parsechangelog -l - -S Version)" = "$(dpkg-deb -f "$deb" Version)" ] ||
    fail "the package's changelog is not of its version"
  # Every tag lintian shows, pedantic ones too, must be one kept on purpose.
  report=$(lintian --display-info --pedantic --tag-display-limit 0 "$deb" 2>&1) || fail "lintian: $report"
  unexpected=$(sed -n 's/^[A-Z]: kurvex[^:]*: //p' <<<"$report" |
    grep -vxFf <(grep -v '^#' "$(dirname "$0")/lintian-kept" | grep .) || true)
  [ -z "$unexpected" ] || fail "lintian reports what tests/install/lintian-kept does not keep:
$unexpected"
  ;;
*)
  fail "unknown check $check"
  ;;
esac
