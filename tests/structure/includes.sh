#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The layer rule of docs/ARCHITECTURE.md, read from the includes: which
# folders a folder may include, and where Qt and POSIX headers may appear.
# Names every file that breaks it; fails when there is one.
#
# Usage: includes.sh SOURCE_DIR
set -euo pipefail
cd "$1"
find app bench chart csvimport history intake platform ports recording serial setup tests tools widgets -name '*.cpp' -o -name '*.h' |
  sort | xargs awk '
BEGIN {
  # The project folders a room may include besides its own; "*": any.
  may["platform/system"] = ""
  may["platform/drawing"] = "platform/system"
  may["platform/windows"] = "platform/drawing platform/system"
  may["ports"] = "platform"
  may["intake"] = may["chart"] = may["widgets"] = "platform"
  may["recording"] = may["history"] = "intake platform"
  may["csvimport"] = "history recording intake platform"
  may["setup"] = "recording intake platform"
  may["serial"] = "ports platform"
  # The window: the shell (app/) may include its feature rooms (app/<room>/);
  # a feature room the files of the shell and the floors below, never
  # another feature room.
  may["app"] = "app chart serial ports widgets csvimport setup recording history intake platform"
  may["app/*"] = "app= chart serial ports widgets csvimport setup recording history intake platform"
  may["tools"] = "ports platform"
  may["tests"] = may["bench"] = "*"
  # Qt: the platform layer, the widgets (their Qt adapters), and the tests
  # and benchmarks that drive the window.
  qt["platform/system"] = qt["platform/drawing"] = qt["platform/windows"] = 1
  qt["widgets"] = qt["tests"] = qt["bench"] = 1
  # POSIX and Linux headers: the operating-system services, and the
  # programs around the product (tests, the simulator, the benchmarks).
  posix["platform/system"] = posix["tests"] = posix["tools"] = posix["bench"] = 1
}
function room(path,   parts, n) {
  n = split(path, parts, "/")
  if (n < 2) return ""
  return (parts[1] == "platform" || parts[1] == "app") && n > 2 ? parts[1] "/" parts[2] : parts[1]
}
function rule(from) { return from ~ /^app\// ? may["app/*"] : may[from] }
function allowed(from, to,   rooms, i, n) {
  if (to == "" || to == from || rule(from) == "*") return 1
  n = split(rule(from), rooms, " ")
  for (i = 1; i <= n; ++i) {
    # "name=": that folder alone, none below it.
    if (rooms[i] ~ /=$/) {
      if (to == substr(rooms[i], 1, length(rooms[i]) - 1)) return 1
    } else if (to == rooms[i] || index(to, rooms[i] "/") == 1) {
      return 1
    }
  }
  return 0
}
function report(text) {
  print FILENAME ": " text > "/dev/stderr"
  broken = 1
}
/^[ \t]*#[ \t]*include/ {
  header = $0
  sub(/^[ \t]*#[ \t]*include[ \t]*/, "", header)
  sub(/[>"].*$/, "&", header)
  from = room(FILENAME)
  if (header ~ /^"/) {
    target = header
    gsub(/"/, "", target)
    sub(/[ \t].*$/, "", target)
    if (!allowed(from, room(target)))
      report("includes " target ": " from " may include only " (rule(from) == "" ? "itself" : rule(from)))
  } else if (header ~ /^<[Qq]/) {
    if (!(from in qt)) report("includes Qt " header " outside the platform layer")
  } else if (header ~ /^<(gtest|gmock|benchmark)\//) {
  } else if (header ~ /^<[^>]*\.h>/) {
    if (!(from in posix)) report("includes " substr(header, 1, index(header, ">")) ": the system is reached through platform/system/")
  }
}
END { exit broken }
'
