#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright (C) 2026 The Brushbox and Twinturn developers
"""What a screen reader finds in the programs, through AT-SPI as Orca reads it.

Run under dbus-run-session with DISPLAY set; prints each finding and ends with 1 when any.
    atspi_walk.py brushbox EXE CONFIG    the paint window and both dialogs
    atspi_walk.py twinturn EXE CONFIG    the board
    atspi_walk.py message EXE CONFIG WORD   a message box shows a button named WORD
"""
import os
import re
import subprocess
import sys
import time

import pyatspi

FINDINGS = []
COUNTERS = ("Time played", "Countdown", "Cards made", "Cards left", "Tries made", "Tries left")


def find(what, check):
    if not check:
        FINDINGS.append(what)
        print("FINDING: " + what, flush=True)
    return check


def wait_for(predicate, timeout=20.0):
    end = time.monotonic() + timeout
    while time.monotonic() < end:
        try:
            found = predicate()
            if found:
                return found
        except Exception:  # an object may go while it is read
            pass
        time.sleep(0.1)
    return None


def descendants(obj):
    for child in obj:
        if child is None:
            continue
        yield child
        yield from descendants(child)


def showing(obj):
    return obj.getState().contains(pyatspi.STATE_SHOWING)


def application(name):
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.name == name:
            return app
    return None


def window(app_name, name):
    app = application(app_name)
    if app is None:
        return None
    for w in app:
        if w is not None and w.name == name and showing(w) and w.childCount > 0:
            return w
    return None


def unnamed(win):
    return [o for o in descendants(win) if showing(o) and not o.name.strip()]


def buttons(win):
    return [o for o in descendants(win) if showing(o) and o.getRole() == pyatspi.ROLE_PUSH_BUTTON]


def button(win, name):
    return next((b for b in buttons(win) if b.name == name), None)


def press(obj):
    action = obj.queryAction()
    for i in range(action.nActions):
        if action.getName(i) == "Press":
            return action.doAction(i)
    return False


def pressable(obj):
    try:
        action = obj.queryAction()
    except NotImplementedError:
        return False
    return any(action.getName(i) == "Press" for i in range(action.nActions))


def all_named_and_pressable(win, what):
    missing = unnamed(win)
    find("%s: %d unnamed controls (%s)" % (what, len(missing), ", ".join(o.getRoleName() for o in missing)), not missing)
    # A button that is off (the scroll buttons of a short catalog) is said to be off, not pressed.
    for b in buttons(win):
        if b.getState().contains(pyatspi.STATE_SENSITIVE):
            find("%s: the button '%s' cannot be pressed" % (what, b.name), pressable(b))


def start(exe, config, extra=None):
    env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_ACCESSIBILITY="1")
    env.update(extra or {})
    return subprocess.Popen([exe, config], env=env)


def brushbox(exe, config):
    program = start(exe, config)
    try:
        paint = wait_for(lambda: window("Brushbox", "Brushbox"))
        if not find("the paint window is not there", paint):
            return
        all_named_and_pressable(paint, "paint window")
        names = [o.name for o in descendants(paint) if showing(o)]
        find("no canvas", "Canvas" in names)
        find("the palette says no colour", any(n.startswith("Palette, ") for n in names))
        find("the colour box says no colour", any(n.startswith("Current colour, ") for n in names))
        save = button(paint, "Save")
        if find("no button 'Save'", save):
            press(save)
            dialog = wait_for(lambda: window("Brushbox", "Save"))
            if find("pressing 'Save' opened no save dialog", dialog):
                all_named_and_pressable(dialog, "save dialog")
                press(button(dialog, "Close"))
                find("the save dialog stays", wait_for(lambda: window("Brushbox", "Save") is None))
        opener = button(paint, "Open")
        if find("no button 'Open'", opener):
            press(opener)
            dialog = wait_for(lambda: window("Brushbox", "Open"))
            if find("pressing 'Open' opened no open dialog", dialog):
                all_named_and_pressable(dialog, "open dialog")
                before = len(buttons(dialog))
                press(buttons(dialog)[0])  # the first catalog
                find("a catalog's pictures did not come", wait_for(lambda: len(buttons(dialog)) > before))
                all_named_and_pressable(dialog, "open dialog with pictures")
                press(button(dialog, "Close"))
                find("the open dialog stays", wait_for(lambda: window("Brushbox", "Open") is None))
        press(button(paint, "Quit"))
        find("the quit button did not end the program", wait_for(lambda: program.poll() is not None, 10))
    finally:
        if program.poll() is None:
            program.kill()


def twinturn(exe, config):
    program = start(exe, config)
    try:
        board = wait_for(lambda: window("Twinturn", "Twinturn"))
        if not find("the board is not there", board):
            return
        cards = wait_for(lambda: [b for b in buttons(board) if re.match(r"card \d+, ", b.name)])
        if not find("no cards", cards):
            return
        all_named_and_pressable(board, "board")
        find("not every card is face down: " + ", ".join(c.name for c in cards),
             all(re.fullmatch(r"card \d+, face down", c.name) for c in cards))
        first = cards[0]
        press(first)
        turned = wait_for(lambda: first.name if not first.name.endswith("face down") else None)
        find("the turned card says '%s'" % turned, turned and re.fullmatch(r"card 1, \w+", turned))
        def texts():
            return [o.name for o in descendants(board) if showing(o) and o.getRole() in (pyatspi.ROLE_STATIC, pyatspi.ROLE_LABEL)]
        # The walk may meet the counters while the turn is still being counted: look again a moment.
        counters = wait_for(lambda: [t for t in texts() if t.startswith(COUNTERS)], 5.0) or []
        find("no counter says what it counts: " + ", ".join(texts()), counters)
        find("no counter says whose it is: " + ", ".join(counters),
             any(re.match(r"[A-Za-z ]+ for .+: \S+", c) for c in counters))
    finally:
        program.kill()


def message(exe, config, word):
    # Each of them, as a German desktop sets them; one left from the caller's desktop would win.
    german = "de_DE.UTF-8"
    program = start(exe, config, {"LANG": german, "LC_ALL": german, "LC_MESSAGES": german, "LANGUAGE": "de"})
    try:
        def box_button():
            app = application("Twinturn")
            return app and next((o for o in descendants(app) if o.getRole() == pyatspi.ROLE_PUSH_BUTTON and o.name.replace("&", "") == word), None)
        find("no message box button reads '%s'" % word, wait_for(box_button))
    finally:
        program.kill()


def main():
    kind, exe, config = sys.argv[1:4]
    if kind == "brushbox":
        brushbox(exe, config)
    elif kind == "twinturn":
        twinturn(exe, config)
    else:
        message(exe, config, sys.argv[4])
    print("%d findings" % len(FINDINGS))
    return 1 if FINDINGS else 0


if __name__ == "__main__":
    sys.exit(main())
