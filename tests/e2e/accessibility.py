#!/usr/bin/python3
"""Reads the running program through the accessibility bus as a screen reader does, and drives it with
the keyboard (xdotool) as a player does.

usage: accessibility.py PROGRAM_PID GAME_LOG

1. Every window that comes up is read control by control: the set-up screen at start-up (confirmed with
   Enter), the toolbar and the activation screen, every window that an item of the toolbar's menus
   opens with its key, and the window of each menu of the activation screen. A control that a player
   works, or that stands for a picture, must have a name: without one a screen reader calls it only by
   its kind ("button", "combo box"). Dialogs, the program's modal windows, are read and closed again.
2. On the activation screen Alt+A rolls until a suspect counter is activated; after each roll the
   result line and the unit text must read as the screen shows them.

The program is found on the bus as the application with the process id given. Every wait is bounded;
problems are listed with the control's kind, path and window, and make the exit status 1.
"""

import os
import re
import subprocess
import sys
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi, GLib  # noqa: E402
import pyatspi  # noqa: E402

# Kinds of control that a player works: each needs a name of its own.
NAMED_ROLES = {
    pyatspi.ROLE_PUSH_BUTTON, pyatspi.ROLE_TOGGLE_BUTTON, pyatspi.ROLE_CHECK_BOX, pyatspi.ROLE_RADIO_BUTTON,
    pyatspi.ROLE_COMBO_BOX, pyatspi.ROLE_LIST, pyatspi.ROLE_LIST_BOX, pyatspi.ROLE_TABLE, pyatspi.ROLE_TREE,
    pyatspi.ROLE_TREE_TABLE, pyatspi.ROLE_SPIN_BUTTON, pyatspi.ROLE_SLIDER, pyatspi.ROLE_TEXT,
    pyatspi.ROLE_ENTRY, pyatspi.ROLE_PASSWORD_TEXT,
}
# Pictures: a name or a description says what they show.
PICTURE_ROLES = {pyatspi.ROLE_IMAGE, pyatspi.ROLE_ICON}
# The kinds of window that the program runs modally. Qt does not tell modal windows on the bus, and
# the program's windows that stay open beside others are frames and plain windows.
MODAL_ROLES = {pyatspi.ROLE_DIALOG, pyatspi.ROLE_ALERT, pyatspi.ROLE_FILE_CHOOSER}

SETUP_TITLE = "DORVA II Set Up"
TOOLBAR_TITLE = "DORVA II Toolbar"
VASL_TITLE = "VASL Activation Window"
# The item that ends the run; the caller ends the program with it once this script is done.
EXIT_ITEM = "Exit"
# How the activation screen's displays describe themselves to a screen reader.
RESULT_LINE = "Result of the activation roll"
UNIT_TEXT = "Activated units"

MAX_NODES = 5000  # per window: a tree that never ends is a failure, not a hang
problems = []


def note(text):
    print(text, flush=True)


def fail(text):
    note("FAIL: " + text)
    for problem in problems:
        note("  " + problem)
    sys.exit(1)


def wait_for(what, seconds, description):
    """The first true value of what() within the given seconds; fails the run otherwise."""
    deadline = time.monotonic() + seconds
    while True:
        value = what()
        if value:
            return value
        if time.monotonic() >= deadline:
            fail(f"{description} (waited {seconds} s)")
        time.sleep(0.1)


def run(*command, seconds=10):
    return subprocess.run(command, capture_output=True, text=True, timeout=seconds, check=False).stdout


# --- the X side: finding windows by title and typing into them ---------------------------------------

def ere_escape(text):
    return re.sub(r"([.\[\]{}()\\*+?^$|])", r"\\\1", text)


def x_window(title):
    ids = run("xdotool", "search", "--onlyvisible", "--name", "^" + ere_escape(title) + "$").split()
    return ids[0] if ids else None


def press(title, *keys):
    """Gives the window the keyboard focus (there is no window manager to do it) and types the keys,
    one after the other, so that a menu opened by one key is up before the next."""
    window = wait_for(lambda: x_window(title), 10, f"no window '{title}' on the screen")
    run("xdotool", "windowfocus", "--sync", window, seconds=5)
    time.sleep(0.2)
    for key in keys:
        run("xdotool", "key", "--clearmodifiers", key)
        time.sleep(0.3)


def xdotool_key(binding):
    """Qt's "Ctrl+U" as xdotool's "ctrl+u"."""
    *modifiers, key = binding.split("+")
    return "+".join([m.lower() for m in modifiers] + [key.lower() if len(key) == 1 else key])


# --- the accessibility side ---------------------------------------------------------------------------

def find_program(pid):
    desktop = pyatspi.Registry.getDesktop(0)

    def program():
        for i in range(desktop.childCount):
            app = desktop.getChildAtIndex(i)
            try:
                if app is not None and app.get_process_id() == pid:
                    return app
            except GLib.Error:
                pass  # an application that left the bus meanwhile
        return None

    app = wait_for(program, 20, f"the program (process {pid}) did not appear on the accessibility bus")
    # Read afresh each time: the program's texts change under the test.
    app.set_cache_mask(Atspi.Cache.NONE)
    return app


def has_state(accessible, state):
    return accessible.getState().contains(state)


def windows(app):
    """The program's windows on the screen, by their object path on the bus."""
    app.clear_cache()
    shown = {}
    for i in range(app.childCount):
        window = app.getChildAtIndex(i)
        if window is not None and has_state(window, pyatspi.STATE_SHOWING):
            shown[window.path] = window
    return shown


def window_titled(app, title):
    return next((w for w in windows(app).values() if w.name == title), None)


def label(accessible):
    name = accessible.name
    return f"{accessible.getRoleName()} '{name}'" if name else accessible.getRoleName()


def descendants(window):
    """(accessible, path) for every control of the window, shown or not."""
    stack = [(window, label(window))]
    count = 0
    while stack:
        accessible, path = stack.pop()
        count += 1
        if count > MAX_NODES:
            fail(f"window '{window.name}' has more than {MAX_NODES} accessible objects")
        yield accessible, path
        children = [accessible.getChildAtIndex(i) for i in range(accessible.childCount)]
        for index, child in reversed(list(enumerate(children))):
            if child is not None:
                stack.append((child, f"{path} > {label(child)} #{index}"))


def check_window(window):
    """Lists each control of the window that a screen reader could only call by its kind."""
    window.clear_cache()
    checked = 0
    for accessible, path in descendants(window):
        role = accessible.getRole()
        where = f"{path} [{accessible.path}] (window '{window.name}')"
        if role in NAMED_ROLES:
            checked += 1
            if labels(accessible):
                pass  # a screen reader says the label with the kind of control
            elif not accessible.name.strip():
                problem(f"{accessible.getRoleName()} without a name or label: {where}")
            elif role == pyatspi.ROLE_COMBO_BOX and accessible.name in entries(accessible):
                # Qt on Linux names a list by its current entry, which says nothing of what it chooses.
                problem(f"combo box named only by its current entry: {where}")
        elif role in PICTURE_ROLES:
            checked += 1
            if not accessible.name.strip() and not accessible.description.strip():
                problem(f"picture without a name or description: {where}")
    note(f"read window '{window.name}': {checked} controls")
    return checked


def problem(text):
    if text not in problems:  # a window read again repeats its problems
        problems.append(text)


def labels(accessible):
    """The texts of the labels that name the control (its labelled-by relation)."""
    texts = []
    for relation in accessible.getRelationSet():
        if relation.getRelationType() == pyatspi.RELATION_LABELLED_BY:
            for i in range(relation.getNTargets()):
                target = relation.getTarget(i)
                # A frame around several controls is no label of one of them.
                if target.getRole() == pyatspi.ROLE_LABEL and target.name.strip():
                    texts.append(target.name)
    return texts


def entries(combo_box):
    """The names of the entries of a combo box's list."""
    return {item.name for item, _ in descendants(combo_box) if item.getRole() == pyatspi.ROLE_LIST_ITEM}


def find(window, predicate):
    return next((a for a, _ in descendants(window) if predicate(a)), None)


def menu_items(window):
    """(menu binding, item name, item binding, enabled) for each item of the window's menu bar."""
    bar = find(window, lambda a: a.getRole() == pyatspi.ROLE_MENU_BAR)
    if bar is None:
        return []
    items = []
    for menu in bar:
        menu_binding = key_binding(menu)
        for popup in menu:
            for item in popup:
                if item.getRole() == pyatspi.ROLE_MENU_ITEM:
                    items.append((menu_binding, item.name, key_binding(item),
                                  has_state(item, pyatspi.STATE_ENABLED)))
    return items


def key_binding(accessible):
    try:
        action = accessible.queryAction()
    except NotImplementedError:
        return ""
    return next((action.getKeyBinding(i) for i in range(action.nActions) if action.getKeyBinding(i)), "")


def keys_of(menu_binding, binding):
    """The keys that choose an item: its shortcut, or its menu's key and then its access key."""
    if binding.startswith("Alt+") and len(binding) == len("Alt+x"):
        return [xdotool_key(menu_binding), xdotool_key(binding).split("+")[-1]]
    return [xdotool_key(binding)]


# --- walking the windows ------------------------------------------------------------------------------

read = set()  # object paths of the windows read so far
controls = 0


def read_new_windows(app, before):
    """Reads each window that came up since before (modal ones each time they come up) and closes the
    modal ones again. Returns how many came up."""
    global controls
    shown = windows(app)
    new = [w for path, w in shown.items() if path not in before]
    new_paths = {w.path for w in new}
    for window in shown.values():
        if window.path not in read or window.path in new_paths and modal(window):
            read.add(window.path)
            controls += check_window(window)
    for window in new:
        if modal(window):
            close_modal(app, window)
    return len(new)


def modal(window):
    return window.getRole() in MODAL_ROLES


def close_modal(app, window):
    """Escape, or where the window takes no Escape (the set-up screen has no Cancel) its default
    button with Enter."""
    title = window.name
    for key in ("Escape", "Return"):
        press(title, key)
        deadline = time.monotonic() + 5
        while time.monotonic() < deadline:
            if window.path not in windows(app):
                return
            time.sleep(0.1)
    fail(f"the modal window '{title}' did not close on Escape nor on Enter")


def active_window(app):
    return next((w for w in windows(app).values() if has_state(w, pyatspi.STATE_ACTIVE)), None)


def try_items(app, window_title, items):
    """Chooses each item with its keys in the window and reads what comes up."""
    for menu_binding, name, binding, enabled in items:
        if name == EXIT_ITEM:
            continue
        if not binding:
            note(f"{window_title}: '{name}' has no key, not tried")
            continue
        keys = keys_of(menu_binding, binding)
        before = set(windows(app))
        press(window_title, *keys)

        def came_up():
            active = active_window(app)
            return set(windows(app)) - before or (active is not None and active.name != window_title)

        # A disabled item opens nothing: a short look is enough to see that it stays so.
        deadline = time.monotonic() + (10 if enabled else 1.5)
        while not came_up() and time.monotonic() < deadline:
            time.sleep(0.1)
        opened = read_new_windows(app, before)
        active = active_window(app)
        if opened:
            shown = f"opened {opened} window(s)"
        elif active is not None and active.name != window_title:
            shown = f"brought '{active.name}' forward"
        else:
            shown = "opened nothing"
        note(f"{window_title}: {' '.join(keys)} ({name}{'' if enabled else ', disabled'}) {shown}")
        if enabled and not came_up() and not opened:
            problem(f"'{name}' ({binding}) in window '{window_title}' opened no window")


# --- the activation screen's results ------------------------------------------------------------------

def words(text):
    return " ".join(text.split())


def log_size(log):
    return os.path.getsize(log) if os.path.exists(log) else 0


def activation_screen(app):
    """The window with the result line."""
    screen = next((w for w in windows(app).values()
                   if find(w, lambda a: a.description == RESULT_LINE) is not None), None)
    if screen is None:
        fail(f"no window shows a label described as '{RESULT_LINE}'")
    return screen


def check_results(app, log):
    """Alt+A until a counter is activated (at least three rolls): the result line and the unit text read
    through the bus are what the screen shows. The VASL window shows the same roll in its own words,
    the units as they are or the removed counter."""
    screen = activation_screen(app)
    result = find(screen, lambda a: a.description == RESULT_LINE)
    units = find(screen, lambda a: a.description == UNIT_TEXT)
    if units is None:
        fail(f"'{screen.name}' shows no label described as '{UNIT_TEXT}'")
    vasl = window_titled(app, VASL_TITLE)
    if vasl is None:
        fail(f"the window '{VASL_TITLE}' is not open")
    vasl_text = find(vasl, lambda a: a.getRole() == pyatspi.ROLE_TEXT).queryText()

    activated = 0
    for roll in range(1, 31):
        size = log_size(log)
        press(screen.name, "alt+a")
        wait_for(lambda: log_size(log) > size, 10, f"Alt+A number {roll} wrote nothing to the game log")
        screen.clear_cache()
        vasl.clear_cache()
        line, shown, posted = result.name, units.name, vasl_text.getText(0, -1)
        note(f"Alt+A {roll}: result line '{line}', units '{words(shown)}', VASL '{words(posted)}'")
        if not line.strip():
            fail(f"after Alt+A number {roll} the result line reads empty")
        if shown.strip():
            activated += 1
            if "activated" not in line.lower():
                fail(f"the units are shown under the result line '{line}'")
            if words(shown) != words(posted):
                fail(f"the unit text reads '{shown}' while the VASL window shows '{posted}'")
        elif "removed" not in line.lower() or "removed" not in posted.lower():
            fail(f"no units under the result line '{line}', VASL window '{posted}'")
        if activated and roll >= 3:
            return
    fail("thirty rolls activated no suspect counter")


def main():
    pid, log = int(sys.argv[1]), sys.argv[2]
    # A call to the program may wait while it builds a screen; none waits without end.
    Atspi.set_timeout(5000, 20000)
    app = find_program(pid)
    note(f"the program is on the bus as '{app.name}' (process {pid})")

    global controls
    setup = wait_for(lambda: window_titled(app, SETUP_TITLE), 20, f"no '{SETUP_TITLE}' at start-up")
    controls += check_window(setup)
    read.add(setup.path)
    press(SETUP_TITLE, "Return")
    wait_for(lambda: setup.path not in windows(app), 10, f"'{SETUP_TITLE}' stayed after Enter")
    wait_for(lambda: window_titled(app, TOOLBAR_TITLE), 10, "no toolbar after the set-up")
    wait_for(lambda: len(windows(app)) >= 2, 10, "no activation screen after the set-up")
    read_new_windows(app, set(windows(app)))  # those that came up with the confirmed set-up

    try_items(app, TOOLBAR_TITLE, menu_items(window_titled(app, TOOLBAR_TITLE)))
    # The activation screen's own menu: the table viewer, one table being like the next.
    screen = activation_screen(app)
    first_of_each_menu = {}
    for item in menu_items(screen):
        first_of_each_menu.setdefault(item[0], item)
    try_items(app, screen.name, first_of_each_menu.values())

    note(f"{len(read)} windows read, {controls} controls")
    if controls == 0:
        fail("no control was read")
    if problems:
        fail(f"{len(problems)} problem(s):")

    check_results(app, log)
    note("the result line and the unit text read as shown")


if __name__ == "__main__":
    main()
