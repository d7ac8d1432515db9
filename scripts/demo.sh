#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Starts the instrument simulator on a pseudo-terminal linked as COM5 and
# opens Kurvex on the desktop. Press Start in the window to acquire. Further
# arguments go to the simulator ("--names a,b,c" for three named curves).
set -euo pipefail
build=${1:-build}
shift || true

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "make demo: no display (neither DISPLAY nor WAYLAND_DISPLAY is set); run it on a desktop session." >&2
  exit 1
fi

"$build/tools/kurvex-sim" --port 5 --rate 2000 --wave sine "$@" &
sim=$!
trap 'kill "$sim" 2>/dev/null; wait "$sim" 2>/dev/null || true' EXIT
"$build/app/kurvex"
