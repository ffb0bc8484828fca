#!/usr/bin/python3
"""usage: drive_real_example.py PROGRAM [SCALE OUTPUT_DIR], inside run_under_xvfb.sh.

Drives Ostrevo over AT-SPI as assistive technology does: the real example typed into fields found by their
accessible names, results read back; with a display scale it checks what scaling keeps and saves screenshots."""
import os
import re
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

TIMEOUT_SECONDS = 30
REAL_EXAMPLE = [("Vcc [V]", "12"), ("Rc [kohm]", "22"), ("Rs [kohm]", "4.7"), ("RoH [ohm]", "195"),
                ("RoL [ohm]", "75"), ("Ci [pF]", "5"), ("C [nF]", "1"), ("v+ [V]", "6.7"), ("v- [V]", "5.33"),
                ("Vd [V]", "0.6"), ("NP [periodi]", "5"), ("N [campioni per periodo]", "1000")]
WINDOWS = {"Ostrevo reale": (993, 564), "ostrevo": (1219, 688)}  # designed sizes at scale 1
failures = []


def check(condition, message):
    if not condition:
        failures.append(message)
        print("FAIL: " + message, file=sys.stderr)


def wait_for(find, what):
    deadline = time.monotonic() + TIMEOUT_SECONDS
    while time.monotonic() < deadline:
        found = find()
        if found:
            return found
        time.sleep(0.1)
        while GLib.MainContext.default().iteration(False):  # events to the listeners
            pass
    raise SystemExit("not found within %d s: %s" % (TIMEOUT_SECONDS, what))


def run(*command, check=True, text=False):
    return subprocess.run(command, check=check, timeout=TIMEOUT_SECONDS, capture_output=True, text=text).stdout


def find_named(root, name, role=None):
    return pyatspi.findDescendant(root, lambda node: node is not None and node.name == name
                                  and (role is None or node.getRole() == role))


def frame_named(app, title):
    return next((child for child in app if child is not None and child.name == title
                 and child.getState().contains(pyatspi.STATE_SHOWING)), None)


def text_of(node):
    return node.queryText().getText(0, -1)


def press(window, button):
    action = find_named(window, button, pyatspi.ROLE_PUSH_BUTTON).queryAction()
    names = [action.getName(i) for i in range(action.nActions)]
    action.doAction(names.index("Press") if "Press" in names else 0)


def window_id(title):
    return run("xdotool", "search", "--sync", "--onlyvisible", "--name", "^%s$" % title, text=True).split()[0]


def check_every_control_named(window):
    """A frame; every field, button and option button in it has a name (no two alike) and a description."""
    check(window.getRole() == pyatspi.ROLE_FRAME, "%s is a %s" % (window.name, window.getRoleName()))
    roles = (pyatspi.ROLE_TEXT, pyatspi.ROLE_PUSH_BUTTON, pyatspi.ROLE_RADIO_BUTTON)
    controls = pyatspi.findAllDescendants(window, lambda node: node is not None and node.getRole() in roles)
    names = [node.name for node in controls]
    check(controls and all(names) and all(node.description for node in controls),
          "%s: a control without name or description among %s" % (window.name, names))
    check(len(set(names)) == len(names), "%s: two controls with the same name among %s" % (window.name, names))


def drive_real_example(app, window):
    check_every_control_named(window)
    press(window, "Calcola  ts; tc")  # with every field empty
    alert = wait_for(lambda: pyatspi.findDescendant(app, lambda node: node is not None
                                                    and node.getRole() == pyatspi.ROLE_ALERT), "the message box")
    message = "Hai dimenticato di scrivere la tensione di alimentazione Vcc"
    check(find_named(alert, message) is not None, "the message box does not say: " + message)
    # Without a window manager nobody hands the keyboard to a new window: the test does.
    run("xdotool", "windowfocus", "--sync", window_id(alert.name))
    pyatspi.Registry.generateKeyboardEvent(0xFF0D, None, pyatspi.KEY_SYM)  # Return
    wait_for(lambda: not alert.getState().contains(pyatspi.STATE_SHOWING) or None, "the message box to close")

    run("xdotool", "windowfocus", "--sync", window_id(window.name))
    for name, value in REAL_EXAMPLE:
        field = wait_for(lambda: find_named(window, name, pyatspi.ROLE_TEXT), "the field " + name)
        field.queryComponent().grabFocus()
        wait_for(lambda: field.getState().contains(pyatspi.STATE_FOCUSED), "the focus in " + name)
        field.queryEditableText().deleteText(0, field.queryText().characterCount)  # NP and N have defaults
        for character in value:
            pyatspi.Registry.generateKeyboardEvent(ord(character), None, pyatspi.KEY_SYM)
        wait_for(lambda: text_of(field) == value, "%r typed into %s (has %r)" % (value, name, text_of(field)))
    press(window, "Calcola  ts; tc")
    for name, expected in (("ts [usec] risultato", "1.221"), ("tc [usec] risultato", "5.706")):
        shown = wait_for(lambda: text_of(find_named(window, name)) or None, "a value in " + name)
        check(shown == expected, "%s shows %r, expected %r" % (name, shown, expected))

    press(window, "Grafici")
    plot_window = wait_for(lambda: frame_named(app, "ostrevo"), "the waveform window")
    plot = find_named(plot_window, "Grafico delle forme d'onda", pyatspi.ROLE_IMAGE)
    check(plot is not None and "vc(t)" in plot.description and "scarica ts 1.221 usec" in plot.description,
          "no plot image describing vc(t) and this plot's ts: %r" % (plot and plot.description))
    check_every_control_named(plot_window)
    check_readout_spoken(plot_window, plot)
    return plot_window


def check_readout_spoken(plot_window, plot):
    """The plot has the focus; a key moves its readout, which a notification says as screen readers speak it."""
    shown = []
    pyatspi.Registry.registerEventListener(lambda event: shown.append(event.source.name) if event.detail1
                                           and event.source.getRole() == pyatspi.ROLE_NOTIFICATION else None,
                                           "object:state-changed:showing")
    run("xdotool", "windowfocus", "--sync", window_id(plot_window.name))
    wait_for(lambda: plot.getState().contains(pyatspi.STATE_FOCUSED), "the focus on the plot")
    pyatspi.Registry.generateKeyboardEvent(0xFF53, None, pyatspi.KEY_SYM)  # Right
    said = wait_for(lambda: shown and shown[-1], "a notification of the readout")
    time_box = text_of(find_named(plot_window, "t [usec] lettura vc(t)"))
    print("announced: " + said)
    check(re.fullmatch(r"vc\(t\): t %s usec, -?\d+\.\d\d V" % re.escape(time_box), said),
          "the readout is announced as %r (the time box shows %r)" % (said, time_box))


def check_display_scale(pid, plot_window, scale_text, output):
    """Window sizes, the readout under the pointer, one-pixel zero lines and the icon follow the scale."""
    scale = float(scale_text)
    plot_id = window_id("ostrevo")
    run("xdotool", "windowmove", "--sync", plot_id, "0", str(round(564 * scale)))  # under the main window

    # In the waveform window's pixels at scale 1 (Qt's AT-SPI extents ignore QT_SCALE_FACTOR): the plot's corner is
    # at 72, 16 and its size 925 x 637; first over the vc half, then off the plot so that its tool tip closes.
    for x, y in ((72 + 925 * 0.3, 16 + 637 * 0.2), (1100, 400)):
        run("xdotool", "mousemove", "--sync", "--window", plot_id, str(round(x * scale)), str(round(y * scale)))
        wait_for(lambda: text_of(find_named(plot_window, "t [usec] lettura vc(t)")) or None, "the readout")
    wait_for(lambda: len(run("xdotool", "search", "--onlyvisible", "--pid", str(pid), check=False,
                             text=True).split()) == 2, "the tool tip to close")
    for title, name in (("Ostrevo reale", "main_window"), ("ostrevo", "waveform_window")):
        shot = os.path.join(output, "%s_dpi%s.png" % (name, scale_text.replace(".", "_")))
        run("import", "-window", window_id(title), shot)
        header = run("import", "-window", window_id(title), "-depth", "8", "ppm:-").split(maxsplit=4)
        width, height, pixels = int(header[1]), int(header[2]), header[4]
        expected = tuple(int(side * scale + 0.5) for side in WINDOWS[title])  # Qt rounds halves up
        check((width, height) == expected, "%s is %dx%d device pixels, not %dx%d" % ((title, width, height) + expected))
    # A column through the middle of the plot: every run of a zero line's colour is one device pixel.
    column = [pixels[i:i + 3] for i in ((y * width + round(width * 0.45)) * 3 for y in range(height))]
    for colour in (b"\xff\x00\x00", b"\x00\x00\xff"):
        runs = [len(found) for found in re.findall(b"1+", bytes(b"01"[pixel == colour] for pixel in column))]
        check(runs and min(runs) == 1, "at scale %s the lines of colour %s run %s pixels" % (scale, colour, runs))
    sizes = re.findall(r"Icon \((\d+) x \1\)", run("xprop", "-id", plot_id, "_NET_WM_ICON", text=True))
    check(str(int(32 * scale + 0.5)) in sizes, "at scale %s the window icon comes in sizes %s only" % (scale, sizes))


def main():
    scale = sys.argv[2] if len(sys.argv) > 2 else "1"
    process = subprocess.Popen([sys.argv[1]], env=dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_QPA_PLATFORM="xcb",
                                                       QT_SCALE_FACTOR=scale, LC_ALL="C", LANG="C", LANGUAGE=""))
    try:
        app = wait_for(lambda: next((a for a in pyatspi.Registry.getDesktop(0) if a is not None
                                     and a.get_process_id() == process.pid), None), "the program on the accessibility bus")
        plot_window = drive_real_example(app, wait_for(lambda: frame_named(app, "Ostrevo reale"), "the main window"))
        if len(sys.argv) > 2:
            check_display_scale(process.pid, plot_window, scale, sys.argv[3])
    finally:
        process.terminate()
        process.wait(timeout=TIMEOUT_SECONDS)
    if failures:
        raise SystemExit("%d check(s) failed" % len(failures))
    print("accessibility checks passed at scale " + scale)


if __name__ == "__main__":
    main()
