#!/usr/bin/python3
"""Shows both windows at a display scale and checks what scaling must keep.

usage: high_dpi_screenshots.py PROGRAM SCALE OUTPUT_DIR

Run inside an X server and a D-Bus session (run_under_xvfb.sh). Starts the
program with QT_SCALE_FACTOR=SCALE, plots the real example, reads it out under
the pointer and saves main_window_dpi<SCALE>.png and waveform_window_dpi<SCALE>.png.
Checks each window's size (its designed size times the scale), the plot's zero
lines (one device pixel thick) and the window icon (drawn for the scale).
"""
import os
import re
import subprocess
import sys

from drive_real_example import TIMEOUT_SECONDS, check, failures, find_named, frame_named, press, start, text_of, wait_for

WINDOWS = {"Ostrevo reale": (993, 564), "ostrevo": (1219, 688)}  # designed sizes at scale 1


def run(*command, **options):
    return subprocess.run(command, **dict(dict(check=True, timeout=TIMEOUT_SECONDS, capture_output=True), **options)).stdout


def window_id(title):
    return run("xdotool", "search", "--sync", "--onlyvisible", "--name", "^%s$" % title, text=True).split()[0]


def move_pointer(scale, x, y):
    """Moves the pointer to (x, y) of the waveform window, in its pixels at scale 1."""
    run("xdotool", "mousemove", "--sync", "--window", window_id("ostrevo"), str(round(x * scale)), str(round(y * scale)))


def read_ppm(title):
    """The window's pixels as (width, height, rows of RGB tuples)."""
    header = run("import", "-window", window_id(title), "-depth", "8", "ppm:-").split(maxsplit=4)
    width, height, data = int(header[1]), int(header[2]), header[4]
    return width, height, [[tuple(data[(y * width + x) * 3:(y * width + x) * 3 + 3]) for x in range(width)]
                           for y in range(height)]


def main():
    program, scale_text, output = sys.argv[1], sys.argv[2], sys.argv[3]
    scale = float(scale_text)
    process, app, window = start(program, QT_SCALE_FACTOR=scale_text)
    try:
        press(window, "Ostrevo reale, dati esempio")
        press(window, "Calcola  ts; tc")
        wait_for(lambda: text_of(find_named(window, "ts [usec] risultato")) == "1.221", "the real example computed")
        press(window, "Grafici")
        plot_window = wait_for(lambda: frame_named(app, "ostrevo"), "the waveform window")
        # No window manager places the windows: the plot goes under the main window.
        run("xdotool", "windowmove", "--sync", window_id("ostrevo"), "0", str(round(564 * scale)))
        # The plot's corner is at 72, 16 and its size 925 x 637 at scale 1 (the extents
        # Qt reports over AT-SPI do not follow QT_SCALE_FACTOR): the vc half first.
        move_pointer(scale, 72 + 925 * 0.3, 16 + 637 * 0.2)
        readout = find_named(plot_window, "t [usec] lettura vc(t)")
        wait_for(lambda: text_of(readout) or None, "the readout under the pointer")
        move_pointer(scale, 1100, 400)  # off the plot: the readout stays, the plot's tool tip closes
        wait_for(lambda: len(run("xdotool", "search", "--onlyvisible", "--pid", str(process.pid), check=False,
                                 text=True).split()) == 2, "the tool tip to close")
        for title, name in (("Ostrevo reale", "main_window"), ("ostrevo", "waveform_window")):
            run("import", "-window", window_id(title),
                os.path.join(output, "%s_dpi%s.png" % (name, scale_text.replace(".", "_"))))
            width, height, rows = read_ppm(title)
            expected = tuple(int(side * scale + 0.5) for side in WINDOWS[title])  # Qt rounds halves up
            check((width, height) == expected, "%s is %dx%d device pixels, not %dx%d" % ((title, width, height) + expected))
        # A column through the middle of the waveform window's plot: every run of a zero line's colour is one device pixel.
        column = [row[round(width * 0.45)] for row in rows]
        for colour in ((255, 0, 0), (0, 0, 255)):
            runs = [len(run_) for run_ in re.findall(b"1+", bytes(int(pixel == colour) + 48 for pixel in column))]
            check(runs and min(runs) == 1, "at scale %s the lines of colour %s run %s pixels" % (scale, colour, runs))
        icons = run("xprop", "-id", window_id("ostrevo"), "_NET_WM_ICON", text=True)
        sizes = [int(side) for side in re.findall(r"Icon \((\d+) x \1\)", icons)]
        check(int(32 * scale + 0.5) in sizes, "at scale %s the window icon comes in sizes %s only" % (scale, sizes))
    finally:
        process.terminate()
        process.wait(timeout=TIMEOUT_SECONDS)
    if failures:
        raise SystemExit("%d check(s) failed" % len(failures))
    print("scale %s: screenshots in %s, checks passed" % (scale_text, output))


if __name__ == "__main__":
    main()
