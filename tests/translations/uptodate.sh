#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Every .ts file in translations/ holds every text the code shows, and a
# finished translation of each: lupdate, run over the code as the
# update-translations target runs it, must find nothing to add or drop.
# Names each text that lacks one; fails when there is one.
#
# Usage: uptodate.sh SOURCE_DIR LUPDATE [LUPDATE OPTIONS AND FOLDERS...]
set -euo pipefail
source_dir=$1 lupdate=$2
shift 2
cd "$source_dir"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
status=0
for ts in translations/kurvex_*.ts; do
  copy="$work/$(basename "$ts")"
  cp "$ts" "$copy"
  "$lupdate" "$@" -ts "$copy" >/dev/null 2>&1
  if ! cmp -s "$ts" "$copy"; then
    echo "$ts is not up to date with the code (cmake --build build --target update-translations):"
    diff "$ts" "$copy" | grep '^[<>].*<source>' || diff "$ts" "$copy" | head -20
    status=1
  fi
  # A text without a translation would show in German.
  if grep -n -B2 -E 'type="(unfinished|vanished|obsolete)"|<translation></translation>' "$ts"; then
    echo "$ts has texts without a finished translation (above)"
    status=1
  fi
done
exit $status
