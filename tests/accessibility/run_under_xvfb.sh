#!/usr/bin/env bash
# run_under_xvfb.sh SCRIPT ARGUMENTS...: runs a Python script of this folder in a private X server (room
# for the windows at twice their size) and D-Bus session, where the AT-SPI bus and registry start on demand.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
script="$1"
shift
scratch="$(mktemp -d)"
export XDG_RUNTIME_DIR="$scratch"
# The server picks a free display itself and writes its number once it accepts clients: no race with other
# X servers started at the same time. -noreset: by default the server resets whenever its last client leaves,
# dropping any client still connecting. The AT-SPI bus launcher and the accessibility library connect, use the
# root window and leave just while the program connects, which then fails "could not connect to display".
Xvfb -displayfd 3 -noreset -screen 0 2600x2600x24 -nolisten tcp 3>"$scratch/display" 2>"$scratch/xvfb.log" &
xvfb=$!
trap 'kill "$xvfb" 2>/dev/null; wait "$xvfb" 2>/dev/null; rm -rf "$scratch"' EXIT
for _ in $(seq 300); do
  [ -s "$scratch/display" ] && break
  kill -0 "$xvfb" 2>/dev/null || break
  sleep 0.1
done
if [ ! -s "$scratch/display" ]; then
  echo "the X server did not start:" >&2
  cat "$scratch/xvfb.log" >&2
  exit 1
fi
export DISPLAY=":$(head -n1 "$scratch/display")"
dbus-run-session -- /usr/bin/python3 "$here/$script" "$@"
