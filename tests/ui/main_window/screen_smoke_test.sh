#!/usr/bin/env bash
# Starts the real program on the X screen of DISPLAY, photographs the whole
# screen and checks that the main window is on it: a window captioned exactly
# "Ostrevo reale", and a picture of many colours with the red frame of the
# design block. Usage: screen_smoke_test.sh PROGRAM SHOT.png
set -euo pipefail
QT_QPA_PLATFORM=xcb "$1" &
pid=$!
trap 'kill "$pid" 2>/dev/null || true' EXIT
for _ in $(seq 1 150); do
  sleep 0.2
  kill -0 "$pid" 2>/dev/null || { echo "the program ended by itself"; exit 1; }
  import -window root "$2" 2>/dev/null || continue
  colours="$(convert "$2" -format %k info:)"
  red="$(convert "$2" -fill black +opaque "rgb(255,0,0)" -fill white -opaque "rgb(255,0,0)" \
    -format "%[fx:int(mean*w*h+0.5)]" info:)"
  # The design frame alone has some 2000 red pixels; the schematic brings
  # hundreds of shades of green, blue and grey.
  if [ "$colours" -ge 100 ] && [ "$red" -ge 1500 ]; then
    xwininfo -root -tree | grep -q '"Ostrevo reale"' || { echo "no window captioned \"Ostrevo reale\""; exit 1; }
    echo "main window on screen: $colours colours, $red red pixels"
    exit 0
  fi
done
echo "no main window on screen: ${colours:-0} colours, ${red:-0} red pixels"
exit 1
