#!/usr/bin/env bash
# run_under_xvfb.sh SCRIPT ARGUMENTS...: runs one of the Python scripts of this
# folder in a private X server (large enough for the windows at twice their
# size) and D-Bus session, where the AT-SPI bus and registry start on demand.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
script="$1"
shift
scratch="$(mktemp -d)"
export XDG_RUNTIME_DIR="$scratch"
# The server picks a free display itself and writes its number when it is
# ready: no race with other X servers started at the same time.
Xvfb -displayfd 3 -screen 0 2600x2600x24 -nolisten tcp 3>"$scratch/display" 2>"$scratch/xvfb.log" &
xvfb=$!
trap 'kill "$xvfb" 2>/dev/null; wait "$xvfb" 2>/dev/null; rm -rf "$scratch"' EXIT
for _ in $(seq 300); do
  [ -s "$scratch/display" ] && break
  kill -0 "$xvfb" 2>/dev/null || { cat "$scratch/xvfb.log" >&2; exit 1; }
  sleep 0.1
done
export DISPLAY=":$(head -n1 "$scratch/display")"
dbus-run-session -- /usr/bin/python3 "$here/$script" "$@"
