"""Brindle's window as a screen reader meets it, through the real accessibility bus (AT-SPI).

    atspi.py press NAME          activate the first button or menu item named NAME
    atspi.py state NAME          print "checked" or "unchecked" for the control named NAME
    atspi.py find NAME           exit 0 when a visible object named NAME exists
    atspi.py starts TEXT         exit 0 when a visible object's name starts with TEXT
    atspi.py nameless            list buttons, check boxes and menu items without a name
    atspi.py showing             list the names of the objects showing, for a failure's message

Looks only at the application named Brindle; waits up to 10 s for it to appear.
"""
import sys
import time

import pyatspi

CONTROLS = {pyatspi.ROLE_PUSH_BUTTON, pyatspi.ROLE_CHECK_BOX, pyatspi.ROLE_TOGGLE_BUTTON,
            pyatspi.ROLE_MENU_ITEM, pyatspi.ROLE_RADIO_BUTTON}


def brindle():
    for _ in range(100):
        for app in pyatspi.Registry.getDesktop(0):
            if app is not None and app.name == "Brindle":
                return app
        time.sleep(0.1)
    sys.exit("Brindle is not on the accessibility bus")


def walk(node, depth=0):
    if node is None or depth > 60:
        return
    yield node
    for child in node:
        yield from walk(child, depth + 1)


def named(name, control):
    """The first object named `name` that shows (a control, when `control`: a switch and the
    label beside it may share a name), or a menu item of that name (menus show only while
    open, and their items act all the same)."""
    for node in walk(brindle()):
        if node.name != name or (control and node.getRole() not in CONTROLS):
            continue
        if node.getState().contains(pyatspi.STATE_SHOWING) or node.getRole() == pyatspi.ROLE_MENU_ITEM:
            return node
    return None


def main(command, *words):
    if command == "nameless":
        found = [node.getRoleName() for node in walk(brindle())
                 if node.getRole() in CONTROLS and node.getState().contains(pyatspi.STATE_SHOWING)
                 and not node.name.strip()]
        print("\n".join(found))
        return 1 if found else 0
    if command == "showing":
        print(" | ".join(node.name for node in walk(brindle())
                         if node.name.strip() and node.getState().contains(pyatspi.STATE_SHOWING)))
        return 0
    if command == "starts":
        text = " ".join(words)
        return 0 if any(node.name.startswith(text) and node.getState().contains(pyatspi.STATE_SHOWING)
                        for node in walk(brindle())) else 1
    node = named(" ".join(words), command != "find")
    if node is None:
        print(f"nothing showing is named {' '.join(words)!r}")
        return 1
    if command == "press":
        node.queryAction().doAction(0)
    elif command == "state":
        print("checked" if node.getState().contains(pyatspi.STATE_CHECKED) else "unchecked")
    return 0


def retried(*arguments):
    # Screens are rebuilt as the model changes, and the objects of a rebuilt screen vanish from
    # the bus between finding one and asking it something: look again.
    for attempt in range(20):
        try:
            return main(*arguments)
        except Exception as error:  # GLib.GError, from an object that has gone
            if attempt == 19:
                print(f"the accessibility bus kept failing: {error}")
                return 1
            time.sleep(0.2)


if __name__ == "__main__":
    sys.exit(retried(*sys.argv[1:]))
