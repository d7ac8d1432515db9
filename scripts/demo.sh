#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Starts the instrument simulator on a pseudo-terminal linked as COM5 and,
# once its link is there, Kurvex acquiring from it at once (--port 5
# --start). Further arguments go to the simulator ("--names a,b,c" for three
# named curves; "--port N" makes both use COM<N>; "--answer" makes it an
# instrument that answers only when asked, and Kurvex asks it with MEAS?
# every 100 ms).
set -euo pipefail
build=${1:-build}
shift || true

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "make demo: no display (neither DISPLAY nor WAYLAND_DISPLAY is set); run it on a desktop session." >&2
  exit 1
fi

port=5
asking=()
args=("$@")
for i in "${!args[@]}"; do
  case ${args[i]} in
    --port=*) port=${args[i]#--port=} ;;
    --port) port=${args[i + 1]:-$port} ;;
    --answer) asking=(--query 'MEAS?' --interval 100) ;;
  esac
done

"$build/tools/kurvex-sim" --port "$port" --rate 2000 --wave sine "$@" &
sim=$!
trap 'kill "$sim" 2>/dev/null; wait "$sim" 2>/dev/null || true' EXIT
# Start needs the port: wait for the simulator's link to its pseudo-terminal.
config=${XDG_CONFIG_HOME:-}
[[ $config == /* ]] || config=$HOME/.config  # a relative one counts as unset, as for Kurvex
link=$config/kurvex/ports/COM$port
for _ in $(seq 100); do
  [ -e "$link" ] && break
  kill -0 "$sim" 2>/dev/null || { wait "$sim" || true; exit 1; }
  sleep 0.05
done
[ -e "$link" ] || { echo "make demo: the simulator made no link $link" >&2; exit 1; }
"$build/app/kurvex" --port "$port" "${asking[@]}" --start
