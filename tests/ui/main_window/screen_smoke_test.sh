#!/usr/bin/env bash
# Starts the real program on a virtual X screen, photographs the whole screen
# and checks that the main window is on it: a window captioned exactly
# "Ostrevo reale", and a picture of many colours with the red frame of the
# design block. Usage: screen_smoke_test.sh PROGRAM SHOT.png
set -euo pipefail
program="$1"
shot="$2"

if [ -z "${OSTREVO_ON_VIRTUAL_SCREEN:-}" ]; then
  export OSTREVO_ON_VIRTUAL_SCREEN=1
  # -noreset: the server would otherwise reset when the first screenshot
  # client leaves, dropping the program if it is still connecting.
  exec xvfb-run -a -s "-noreset -screen 0 1280x800x24" "$0" "$@"
fi

export QT_QPA_PLATFORM=xcb
"$program" &
pid=$!
trap 'kill "$pid" 2>/dev/null || true' EXIT

count_red_pixels() {
  convert "$1" -fill black +opaque "rgb(255,0,0)" -fill white -opaque "rgb(255,0,0)" \
    -format "%[fx:int(mean*w*h+0.5)]" info:
}

colours=0
red=0
for _ in $(seq 1 150); do
  sleep 0.2
  kill -0 "$pid" 2>/dev/null || { echo "the program ended by itself"; exit 1; }
  import -window root "$shot" 2>/dev/null || continue
  colours="$(convert "$shot" -format %k info:)"
  red="$(count_red_pixels "$shot")"
  # The design frame alone has some 2000 red pixels; the schematic brings
  # hundreds of shades of green, blue and grey.
  if [ "$colours" -ge 100 ] && [ "$red" -ge 1500 ]; then
    if ! xwininfo -root -tree | grep -q '"Ostrevo reale"'; then
      echo "no window captioned \"Ostrevo reale\":"
      xwininfo -root -tree | grep '"' || true
      exit 1
    fi
    echo "main window on screen: $colours colours, $red red pixels"
    exit 0
  fi
done
echo "no main window on screen: $colours colours, $red red pixels"
exit 1
