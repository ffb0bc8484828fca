#!/usr/bin/python3
"""Drives Ostrevo as assistive technology does, over AT-SPI.

Run inside an X server and a D-Bus session (see run_under_xvfb.sh): starts the
program, reads and closes with the keyboard the message for an empty field,
types the real example into the fields found by their accessible names,
presses "Calcola  ts; tc" and "Grafici", and reads the results back.
"""
import os
import subprocess
import sys
import time

import pyatspi

TIMEOUT_SECONDS = 30
REAL_EXAMPLE = [
    ("Vcc [V]", "12"), ("Rc [kohm]", "22"), ("Rs [kohm]", "4.7"), ("RoH [ohm]", "195"),
    ("RoL [ohm]", "75"), ("Ci [pF]", "5"), ("C [nF]", "1"), ("v+ [V]", "6.7"), ("v- [V]", "5.33"),
    ("Vd [V]", "0.6"), ("NP [periodi]", "5"), ("N [campioni per periodo]", "1000"),
]
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
    raise SystemExit("not found within %d s: %s" % (TIMEOUT_SECONDS, what))


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


def give_keyboard_to(title):
    """Without a window manager nobody hands the keyboard to a new window: the test does."""
    subprocess.run(["xdotool", "search", "--sync", "--onlyvisible", "--name", "^%s$" % title,
                    "windowfocus", "--sync"], check=True, timeout=TIMEOUT_SECONDS, stdout=subprocess.DEVNULL)


def start(program, **environment):
    """Starts the program; returns its process, its application on the bus and its main window."""
    process = subprocess.Popen([program], env=dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", LC_ALL="C",
                                                   QT_QPA_PLATFORM="xcb", LANG="C", LANGUAGE="", **environment))
    desktop = pyatspi.Registry.getDesktop(0)
    app = wait_for(lambda: next((a for a in desktop if a is not None and a.get_process_id() == process.pid), None),
                   "the program on the accessibility bus")
    return process, app, wait_for(lambda: frame_named(app, "Ostrevo reale"), "the main window")


def check_every_control_named(window):
    """The window is a frame named by its title; every field, button and option
    button in it has a name and a description, and no two the same name."""
    check(window.getRole() == pyatspi.ROLE_FRAME, "%s is a %s" % (window.name, window.getRoleName()))
    roles = (pyatspi.ROLE_TEXT, pyatspi.ROLE_PUSH_BUTTON, pyatspi.ROLE_RADIO_BUTTON)
    controls = pyatspi.findAllDescendants(window, lambda node: node is not None and node.getRole() in roles)
    names = [node.name for node in controls]
    check(controls and all(names) and all(node.description for node in controls),
          "%s: a control without name or description among %s" % (window.name, names))
    check(len(set(names)) == len(names), "%s: two controls with the same name among %s" % (window.name, names))


def main():
    process, app, window = start(sys.argv[1])
    try:
        check_every_control_named(window)
        press(window, "Calcola  ts; tc")  # with every field empty
        alert = wait_for(lambda: pyatspi.findDescendant(app, lambda node: node is not None
                                                        and node.getRole() == pyatspi.ROLE_ALERT), "the message box")
        message = "Hai dimenticato di scrivere la tensione di alimentazione Vcc"
        check(find_named(alert, message) is not None, "the message box does not say: " + message)
        give_keyboard_to(alert.name)
        pyatspi.Registry.generateKeyboardEvent(0xFF0D, None, pyatspi.KEY_SYM)  # Return
        wait_for(lambda: not alert.getState().contains(pyatspi.STATE_SHOWING) or None, "the message box to close")

        give_keyboard_to(window.name)
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
        check(plot is not None and "vc(t)" in plot.description and "vo(t)" in plot.description,
              "no plot image describing vc(t) and vo(t)")
        check_every_control_named(plot_window)
    finally:
        process.terminate()
        process.wait(timeout=TIMEOUT_SECONDS)
    if failures:
        raise SystemExit("%d check(s) failed" % len(failures))
    print("accessibility checks passed")


if __name__ == "__main__":
    main()
