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
xvfb=""
trap '[ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null; wait 2>/dev/null; rm -rf "$scratch"' EXIT

# Starts a server that picks a free display itself, and returns once a client
# can really connect to it (the number alone has been seen to come before that
# on a loaded machine).
start_server() {
  rm -f "$scratch/display"
  Xvfb -displayfd 3 -screen 0 2600x2600x24 -nolisten tcp 3>"$scratch/display" 2>"$scratch/xvfb.log" &
  xvfb=$!
  for _ in $(seq 300); do
    [ -s "$scratch/display" ] && break
    kill -0 "$xvfb" 2>/dev/null || return 1
    sleep 0.1
  done
  export DISPLAY=":$(head -n1 "$scratch/display")"
  for _ in $(seq 50); do
    xdpyinfo >/dev/null 2>&1 && return 0
    sleep 0.1
  done
  return 1
}

stop_server() {
  kill "$xvfb" 2>/dev/null || true
  wait "$xvfb" 2>/dev/null || true
  xvfb=""
}

# On a freshly cloned tree the first program started on a new server has been
# seen to fail "could not connect to display" while the server itself answers
# xdpyinfo; the cause is not found yet, so a failed run is tried once more on a
# new server, and the second failure counts.
for attempt in 1 2; do
  if start_server && dbus-run-session -- /usr/bin/python3 "$here/$script" "$@"; then
    exit 0
  fi
  cat "$scratch/xvfb.log" >&2
  stop_server
  [ "$attempt" -eq 1 ] && echo "once more on a new X server" >&2
done
exit 1
