#!/usr/bin/python3
"""Shows both windows at a display scale and checks what scaling must keep.

usage: high_dpi_screenshots.py PROGRAM SCALE OUTPUT_DIR

Run inside an X server and a D-Bus session (run_under_xvfb.sh). Starts the
program with QT_SCALE_FACTOR=SCALE, fills the real example, computes it, draws
the waveforms, points at the plot, and saves main_window_dpi<SCALE>.png and
waveform_window_dpi<SCALE>.png. Checks that each window is its designed size
times the scale, and that the plot's zero lines are one device pixel thick.
"""
import os
import re
import subprocess
import sys

import pyatspi

from drive_real_example import (TIMEOUT_SECONDS, application_of, check, failures, find_named, frame_named, press,
                                text_of, wait_for)

MAIN_WINDOW = ("Ostrevo reale", 993, 564)
WAVEFORM_WINDOW = ("ostrevo", 1219, 688)
RED = (255, 0, 0)
BLUE = (0, 0, 255)


def window_id(title):
    found = subprocess.run(["xdotool", "search", "--sync", "--onlyvisible", "--name", "^%s$" % title], check=True,
                           capture_output=True, text=True, timeout=TIMEOUT_SECONDS)
    return found.stdout.split()[0]


def grab(title, path):
    subprocess.run(["import", "-window", window_id(title), path], check=True, timeout=TIMEOUT_SECONDS)


def move_window(title, x, y):
    subprocess.run(["xdotool", "windowmove", "--sync", window_id(title), str(x), str(y)], check=True,
                   timeout=TIMEOUT_SECONDS)


def point_at_plot(plot_window, scale):
    """Rests the pointer on the vc trace's half of the plot, which fills the readout.

    The place is taken from the window's design (the plot's corner at 72, 16
    and its size 925 x 637 pixels at scale 1): the extents Qt reports over
    AT-SPI do not follow QT_SCALE_FACTOR."""
    x, y = round((72 + 925 * 0.3) * scale), round((16 + 637 * 0.2) * scale)
    subprocess.run(["xdotool", "mousemove", "--sync", "--window", window_id(WAVEFORM_WINDOW[0]), str(x), str(y)],
                   check=True, timeout=TIMEOUT_SECONDS)
    readout = find_named(plot_window, "t [usec] lettura vc(t)")
    wait_for(lambda: text_of(readout) or None, "the readout under the pointer")


def move_pointer_off_plot(pid, scale):
    """Moves the pointer to the empty part of the readout panel, which keeps the
    readout and closes the plot's tool tip, a window of its own."""
    x, y = round(1100 * scale), round(400 * scale)
    subprocess.run(["xdotool", "mousemove", "--sync", "--window", window_id(WAVEFORM_WINDOW[0]), str(x), str(y)],
                   check=True, timeout=TIMEOUT_SECONDS)

    def only_the_two_windows():
        found = subprocess.run(["xdotool", "search", "--onlyvisible", "--pid", str(pid)], capture_output=True,
                               text=True, timeout=TIMEOUT_SECONDS)
        return len(found.stdout.split()) == 2

    wait_for(only_the_two_windows, "the tool tip to close")


def read_ppm(title):
    """The window's pixels as (width, height, rows of RGB tuples)."""
    raw = subprocess.run(["import", "-window", window_id(title), "-depth", "8", "ppm:-"], check=True,
                         capture_output=True, timeout=TIMEOUT_SECONDS).stdout
    header = raw.split(maxsplit=4)  # P6 width height maxval data
    width, height = int(header[1]), int(header[2])
    data = header[4]
    rows = [[tuple(data[(y * width + x) * 3:(y * width + x) * 3 + 3]) for x in range(width)] for y in range(height)]
    return width, height, rows


def check_window_size(title, design_width, design_height, scale):
    width, height, _ = read_ppm(title)
    expected = (int(design_width * scale + 0.5), int(design_height * scale + 0.5))  # Qt rounds halves up
    check((width, height) == expected,
          "%s is %dx%d device pixels, expected %dx%d" % ((title, width, height) + expected))


def run_thickness(rows, x, colour):
    """Lengths of the vertical runs of `colour` in column x."""
    runs, length = [], 0
    for row in rows:
        if row[x] == colour:
            length += 1
        elif length:
            runs.append(length)
            length = 0
    if length:
        runs.append(length)
    return runs


def check_window_icon(scale):
    """The waveform window offers its 32-pixel icon at the scale, drawn for it."""
    found = subprocess.run(["xprop", "-id", window_id(WAVEFORM_WINDOW[0]), "_NET_WM_ICON"], check=True,
                           capture_output=True, text=True, timeout=TIMEOUT_SECONDS).stdout
    sizes = [int(side) for side in re.findall(r"Icon \((\d+) x \1\)", found)]
    check(int(32 * scale + 0.5) in sizes, "at scale %s the window icon comes in sizes %s only" % (scale, sizes))


def check_zero_lines_one_pixel(scale):
    width, _, rows = read_ppm(WAVEFORM_WINDOW[0])
    # A column through the middle of the plot area, which spans most of the window's width.
    x = round(width * 0.45)
    for name, colour in (("red", RED), ("blue", BLUE)):
        runs = run_thickness(rows, x, colour)
        check(runs and min(runs) == 1, "at scale %s the %s lines in column %d have runs %s, not one device pixel"
              % (scale, name, x, runs))


def main():
    program, scale, output = sys.argv[1], sys.argv[2], sys.argv[3]
    environment = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_QPA_PLATFORM="xcb",
                       QT_SCALE_FACTOR=scale, LC_ALL="C", LANG="C", LANGUAGE="")
    process = subprocess.Popen([program], env=environment)
    try:
        app = wait_for(lambda: application_of(process.pid), "the program on the accessibility bus")
        window = wait_for(lambda: frame_named(app, MAIN_WINDOW[0]), "the main window")
        press(find_named(window, "Ostrevo reale, dati esempio", [pyatspi.ROLE_PUSH_BUTTON]))
        press(find_named(window, "Calcola  ts; tc", [pyatspi.ROLE_PUSH_BUTTON]))
        label = find_named(window, "ts [usec] risultato")
        wait_for(lambda: text_of(label) == "1.221", "the real example computed")
        press(find_named(window, "Grafici", [pyatspi.ROLE_PUSH_BUTTON]))
        plot_window = wait_for(lambda: frame_named(app, WAVEFORM_WINDOW[0]), "the waveform window")
        # No window manager places the windows: put the plot under the main window.
        move_window(WAVEFORM_WINDOW[0], 0, round(MAIN_WINDOW[2] * float(scale)))
        point_at_plot(plot_window, float(scale))
        move_pointer_off_plot(process.pid, float(scale))
        suffix = scale.replace(".", "_")
        grab(MAIN_WINDOW[0], os.path.join(output, "main_window_dpi%s.png" % suffix))
        grab(WAVEFORM_WINDOW[0], os.path.join(output, "waveform_window_dpi%s.png" % suffix))
        for title, design_width, design_height in (MAIN_WINDOW, WAVEFORM_WINDOW):
            check_window_size(title, design_width, design_height, float(scale))
        check_zero_lines_one_pixel(scale)
        check_window_icon(float(scale))
    finally:
        process.terminate()
        process.wait(timeout=TIMEOUT_SECONDS)
    if failures:
        raise SystemExit("%d check(s) failed" % len(failures))
    print("scale %s: screenshots in %s, checks passed" % (scale, output))


if __name__ == "__main__":
    main()
