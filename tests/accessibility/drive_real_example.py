#!/usr/bin/python3
"""Drives Ostrevo as assistive technology does, over AT-SPI.

Run inside an X server and a D-Bus session (see run_under_xvfb.sh): starts the
program, checks that the Tab key visits the controls of the main window in
their designed order and that the message box for an empty field can be read
and closed with the keyboard, types the real example into the fields found by
their accessible names, presses "Calcola  ts; tc" and "Grafici", reads the
results back from the result labels, and checks the names and the tab order
of the waveform window.
"""
import os
import subprocess
import sys
import time

import pyatspi

TIMEOUT_SECONDS = 30
KEYSYM_TAB = 0xFF09
KEYSYM_RETURN = 0xFF0D

REAL_EXAMPLE = [
    ("Vcc [V]", "12"), ("Rc [kohm]", "22"), ("Rs [kohm]", "4.7"), ("RoH [ohm]", "195"),
    ("RoL [ohm]", "75"), ("Ci [pF]", "5"), ("C [nF]", "1"), ("v+ [V]", "6.7"), ("v- [V]", "5.33"),
    ("Vd [V]", "0.6"), ("NP [periodi]", "5"), ("N [campioni per periodo]", "1000"),
]

# The tab orders of the windows, by accessible name, from the control that has
# the focus when the window opens.
MAIN_WINDOW_TAB_ORDER = [
    "Vcc [V]", "Rc [kohm]", "v+ [V]", "v- [V]", "Calcola  ts; tc", "NP [periodi]", "Grafici",
    "C [nF]", "Esci", "Rs [kohm]", "RoH [ohm]", "RoL [ohm]", "Ci [pF]", "Vd [V]", "C progetto [nF]",
    "Calcola Rc e Rs", "tc progetto [usec]", "ts progetto [usec]", "N [campioni per periodo]",
    "Ostrevo ideale, dati esempio", "Ostrevo reale, dati esempio",
]
WAVEFORM_WINDOW_TAB_ORDER = [
    "Grafico delle forme d'onda", "Scala delle tensioni", "Esci", "vc(t) tensione sul condensatore",
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


def application_of(pid):
    desktop = pyatspi.Registry.getDesktop(0)
    for index in range(desktop.childCount):
        app = desktop.getChildAtIndex(index)
        if app is not None and app.get_process_id() == pid:
            return app
    return None


def find_named(root, name, roles=None):
    return pyatspi.findDescendant(
        root, lambda node: node is not None and node.name == name
        and (roles is None or node.getRole() in roles))


def frame_named(app, title):
    for index in range(app.childCount):
        child = app.getChildAtIndex(index)
        if child is not None and child.name == title and child.getState().contains(pyatspi.STATE_SHOWING):
            return child
    return None


def focused(root):
    return pyatspi.findDescendant(root, lambda node: node is not None
                                  and node.getState().contains(pyatspi.STATE_FOCUSED))


def press_key(keysym):
    pyatspi.Registry.generateKeyboardEvent(keysym, None, pyatspi.KEY_SYM)


def type_text(text):
    for character in text:
        press_key(ord(character))


def text_of(node):
    return node.queryText().getText(0, -1)


def press(node):
    action = node.queryAction()
    names = [action.getName(i) for i in range(action.nActions)]
    action.doAction(names.index("Press") if "Press" in names else 0)


def give_keyboard_to(title):
    """Without a window manager nobody hands the keyboard to a new window, as a
    desktop does when it opens: the test does it."""
    subprocess.run(["xdotool", "search", "--sync", "--onlyvisible", "--name", "^%s$" % title,
                    "windowfocus", "--sync"], check=True, timeout=TIMEOUT_SECONDS, stdout=subprocess.DEVNULL)


def check_every_control_named(window):
    """The window is a frame, named by its title; every field, button and
    option button in it has a name, and no two the same."""
    check(window.getRole() == pyatspi.ROLE_FRAME, "%s is a %s, not a frame" % (window.name, window.getRoleName()))
    roles = (pyatspi.ROLE_TEXT, pyatspi.ROLE_PUSH_BUTTON, pyatspi.ROLE_RADIO_BUTTON)
    controls = pyatspi.findAllDescendants(window, lambda node: node is not None and node.getRole() in roles)
    names = [node.name for node in controls]
    check(controls and all(names), "%s: a control without accessible name among %s" % (window.name, names))
    check(len(set(names)) == len(names), "%s: two controls with the same name among %s" % (window.name, names))


def check_tab_order(window, order):
    give_keyboard_to(window.name)
    start = wait_for(lambda: focused(window), "the focus in " + window.name)
    visited = [start.name]
    for _ in order[1:]:
        previous = visited[-1]
        press_key(KEYSYM_TAB)
        node = wait_for(lambda: (lambda f: f if f is not None and f.name != previous else None)(focused(window)),
                        "the focus to move on from " + previous)
        visited.append(node.name)
    check(visited == order, "%s: tab order %s, expected %s" % (window.name, visited, order))
    press_key(KEYSYM_TAB)  # round again to the first control
    wait_for(lambda: (lambda f: f if f is not None and f.name == order[0] else None)(focused(window)),
             "the focus back in " + order[0])


def check_message_readable(app, window):
    """With the fields still empty, "Calcola  ts; tc" reports the first one in
    an alert that a screen reader reads and the keyboard closes."""
    press(find_named(window, "Calcola  ts; tc", [pyatspi.ROLE_PUSH_BUTTON]))
    alert = wait_for(lambda: pyatspi.findDescendant(app, lambda node: node is not None
                                                    and node.getRole() == pyatspi.ROLE_ALERT), "the message box")
    text = "Hai dimenticato di scrivere la tensione di alimentazione Vcc"
    check(find_named(alert, text) is not None, "the message box does not say: " + text)
    give_keyboard_to(alert.name)
    press_key(KEYSYM_RETURN)
    wait_for(lambda: not alert.getState().contains(pyatspi.STATE_SHOWING) or None, "the message box to close")


def type_real_example(window):
    give_keyboard_to(window.name)
    for name, value in REAL_EXAMPLE:
        field = wait_for(lambda: find_named(window, name, [pyatspi.ROLE_TEXT]), "the field " + name)
        field.queryComponent().grabFocus()
        wait_for(lambda: field.getState().contains(pyatspi.STATE_FOCUSED), "the focus in " + name)
        field.queryEditableText().deleteText(0, field.queryText().characterCount)  # NP and N have defaults
        type_text(value)
        wait_for(lambda: text_of(field) == value, "%r typed into %s (has %r)" % (value, name, text_of(field)))


def check_results(window):
    press(find_named(window, "Calcola  ts; tc", [pyatspi.ROLE_PUSH_BUTTON]))
    for name, expected in (("ts [usec] risultato", "1.221"), ("tc [usec] risultato", "5.706")):
        label = wait_for(lambda: find_named(window, name), "the result label " + name)
        shown = wait_for(lambda: text_of(label) or None, "a value in " + name)
        check(shown == expected, "%s shows %r, expected %r" % (name, shown, expected))


def check_waveform_window(app, window):
    press(find_named(window, "Grafici", [pyatspi.ROLE_PUSH_BUTTON]))
    plot_window = wait_for(lambda: frame_named(app, "ostrevo"), "the waveform window")
    plot = wait_for(lambda: find_named(plot_window, "Grafico delle forme d'onda"), "the plot area")
    check("vc(t)" in plot.description and "vo(t)" in plot.description, "the plot area is not described")
    check(plot.getRole() == pyatspi.ROLE_IMAGE, "the plot area is a %s, not an image" % plot.getRoleName())
    check_every_control_named(plot_window)
    check_tab_order(plot_window, WAVEFORM_WINDOW_TAB_ORDER)
    for name in ("vc(t) tensione sul condensatore", "vo(t) tensione d'uscita", "t [usec] lettura vc(t)",
                 "Vc(t) [V] lettura", "t [usec] lettura vo(t)", "Vo(t) [V] lettura", "Esci"):
        check(find_named(plot_window, name) is not None, "the waveform window has no control named " + name)


def main():
    program = sys.argv[1]
    environment = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_QPA_PLATFORM="xcb",
                       LC_ALL="C", LANG="C", LANGUAGE="")
    process = subprocess.Popen([program], env=environment)
    try:
        app = wait_for(lambda: application_of(process.pid), "the program on the accessibility bus")
        window = wait_for(lambda: frame_named(app, "Ostrevo reale"), "the main window")
        check_every_control_named(window)
        check_tab_order(window, MAIN_WINDOW_TAB_ORDER)
        check_message_readable(app, window)
        type_real_example(window)
        check_results(window)
        check_waveform_window(app, window)
    finally:
        process.terminate()
        process.wait(timeout=TIMEOUT_SECONDS)
    if failures:
        raise SystemExit("%d check(s) failed" % len(failures))
    print("accessibility checks passed")


if __name__ == "__main__":
    main()
