#!/usr/bin/env bash
# run_under_xvfb.sh PROGRAM: runs drive_real_example.py against PROGRAM in a
# private X server and D-Bus session, where the AT-SPI bus and registry start
# on demand.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
export XDG_RUNTIME_DIR="$(mktemp -d)"
trap 'rm -rf "$XDG_RUNTIME_DIR"' EXIT
exec xvfb-run --auto-servernum --server-args="-screen 0 1600x1200x24" \
  dbus-run-session -- /usr/bin/python3 "$here/drive_real_example.py" "$1"
