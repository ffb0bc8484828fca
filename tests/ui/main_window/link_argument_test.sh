#!/usr/bin/env bash
# The real program given a link on its command line, on the X screen of
# DISPLAY: the link's commands run ("grafici" opens the waveform window,
# captioned "ostrevo"), and an unknown command shows its message box
# (captioned "Ostrevo"). Usage: link_argument_test.sh PROGRAM
set -euo pipefail
# Waits until a window captioned $2 is on the screen of the program started with link $1.
expect_window() {
  QT_QPA_PLATFORM=xcb "$program" "$1" &
  local pid=$!
  for _ in $(seq 1 100); do
    sleep 0.2
    # A window of the program's own class, not its 1 x 1 leader of the same name.
    if xwininfo -root -tree | grep -qF "\"$2\": (\"ostrevo\""; then
      kill "$pid"
      return 0
    fi
  done
  kill "$pid" 2>/dev/null || true
  echo "given $1, no window captioned \"$2\""
  exit 1
}
program="$1"
expect_window 'https://example.org/ostrevo/?NP=2&N=100&run=reale,grafici' ostrevo
expect_window '?Vcc=12&run=tstc,esci' Ostrevo
echo "both links opened"
