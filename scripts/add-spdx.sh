#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Puts the licence line `SPDX-License-Identifier: GPL-3.0-or-later` at the top
# of every source file that lacks it, in the file's comment syntax (after a
# #! line). Running it again changes nothing.
#   add-spdx.sh           add the line where it is missing
#   add-spdx.sh --check   only list the files without it; fails when there are any
set -euo pipefail
cd "$(dirname "$0")/.."

licence="SPDX-License-Identifier: GPL-3.0-or-later"
check=false
[ "${1:-}" = --check ] && check=true

comment_of() {
  case $1 in
    *.cpp | *.h) echo "//" ;;
    *.1.in) echo '.\"' ;;
    *) echo "#" ;;
  esac
}

has_licence() {
  local first="" second=""
  { IFS= read -r first && IFS= read -r second; } <"$1" || true
  [[ $first == *"$licence"* || ($first == "#!"* && $second == *"$licence"*) ]]
}

# Tracked and new files alike; test data, pictures and the XML files (whose
# licences are their own) are not source files.
mapfile -t files < <(git ls-files --cached --others --exclude-standard -- \
  '*.cpp' '*.h' '*.sh' '*.py' '*.cmake' '*CMakeLists.txt' '*.1.in' '*.desktop' '*.supp' \
  Makefile .ci/run ':!tests/*/data/*')

missing=0
for f in "${files[@]}"; do
  [ -f "$f" ] || continue  # deleted in the work tree, not yet in the index
  has_licence "$f" && continue
  missing=$((missing + 1))
  if $check; then
    echo "no $licence line: $f"
    continue
  fi
  # Written through the environment, as awk would read escapes in -v values.
  LINE="$(comment_of "$f") $licence" awk '
    NR == 1 && /^#!/ { print; print ENVIRON["LINE"]; next }
    NR == 1 { print ENVIRON["LINE"] }
    { print }
    END { if (NR == 0) print ENVIRON["LINE"] }' "$f" >"$f.spdx"
  cat "$f.spdx" >"$f" && rm "$f.spdx"  # cat keeps the file's mode
done
if $check && [ $missing -gt 0 ]; then
  echo "$missing files lack the licence line; scripts/add-spdx.sh adds it" >&2
  exit 1
fi
exit 0
