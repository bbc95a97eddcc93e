# The screen reader's side of accessibility.sh (exit 77: the bus is not there).
import subprocess
import sys
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi  # noqa: E402

failures = []


def walk(node, depth=0):
    if node is None or depth > 60:
        return
    yield node
    for i in range(node.get_child_count()):
        try:
            yield from walk(node.get_child_at_index(i), depth + 1)
        except gi.repository.GLib.Error:
            continue


def has(node, state):
    return node.get_state_set().contains(state)


def wait_for(find, seconds, what):
    end = time.time() + seconds
    while time.time() < end:
        found = find()
        if found is not None:
            return found
        time.sleep(0.25)
    return None


def application(name):
    desktop = Atspi.get_desktop(0)
    for i in range(desktop.get_child_count()):
        child = desktop.get_child_at_index(i)
        if child is not None and name in (child.get_name() or ""):
            return child
    return None


app = wait_for(lambda: application("harmodex"), 30, "the application")
if app is None:
    print("SKIP: the window did not appear on the accessibility bus")
    sys.exit(77)
window = wait_for(lambda: app.get_child_at_index(0) if app.get_child_count() else None, 10, "window")

# Every control that takes the focus has a name.
for node in walk(window):
    if has(node, Atspi.StateType.FOCUSABLE) and has(node, Atspi.StateType.SHOWING):
        if not (node.get_name() or "").strip():
            failures.append(f"a focusable {node.get_role_name()} has no accessible name")


def named(root, name, role=None):
    for node in walk(root):
        if (node.get_name() or "") == name and (role is None or node.get_role_name() == role):
            return node
    return None


field = named(window, "Tn-type", "text")
if field is None:
    failures.append("no text field named Tn-type")
else:
    Atspi.EditableText.set_text_contents(field, "0 4 7")
    Atspi.Component.grab_focus(field)
    time.sleep(0.3)
    subprocess.run(["xdotool", "key", "Return"], check=False)

    def described_page():
        for node in walk(window):
            description = node.get_description() or ""
            if "3-11b" in description:
                return node
        return None

    page = wait_for(described_page, 60, "the page's description")
    if page is None:
        failures.append("no accessible description holds 3-11b after typing 0 4 7")
    else:
        description = page.get_description()
        if "13.12.14" not in description:
            failures.append("the page's description lacks 13.12.14: " + description)
        if "page 24" not in (page.get_name() or ""):
            failures.append("the page is not named by the window's title: " + (page.get_name() or ""))

    # Tab runs from the fields through the size and the buttons to the page.
    def focused():
        return next((n for n in walk(window) if has(n, Atspi.StateType.FOCUSED)), None)

    Atspi.Component.grab_focus(field)
    order = []
    for _ in range(12):
        subprocess.run(["xdotool", "key", "Tab"], check=False)
        time.sleep(0.2)
        node = focused()
        order.append(node.get_name() if node is not None else "")
    def first(prefix):
        return next((i for i, name in enumerate(order) if name.startswith(prefix)), 99)
    if not first("Costère code") < first("Size") < first("Save") < first("Tn-type Harmodex") < 99:
        failures.append(f"Tab from the Tn-type field runs: {order}")

# F1 opens the guide; its search for phonicity finds the measures.
subprocess.run(["xdotool", "key", "F1"], check=False)
guide = wait_for(lambda: next((w for w in (app.get_child_at_index(i) for i in range(app.get_child_count()))
                               if w is not None and w.get_name() == "Reading the Page"), None), 20, "guide")
if guide is None:
    failures.append("F1 did not open a window named Reading the Page")
else:
    search = named(guide, "Search the guide")
    Atspi.EditableText.set_text_contents(search, "phonicity")

    def listed():
        sections = named(guide, "Sections")
        shown = [n.get_name() for n in walk(sections) if n.get_role_name() == "label" and has(n, Atspi.StateType.SHOWING)]
        return shown if shown and len(shown) < 10 else None

    shown = wait_for(listed, 10, "the search")
    if not shown or "Roots, Vertices and the Measures" not in shown:
        failures.append(f"the search for phonicity lists {shown}")

for failure in failures:
    print("FAIL:", failure)
sys.exit(1 if failures else 0)
