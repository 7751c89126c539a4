#!/usr/bin/env python3
"""A screen reader's view of a running program, read over AT-SPI.

    atspi-probe.py APPLICATION STEP...

Finds the application by name on the accessibility bus of the session bus
in DBUS_SESSION_BUS_ADDRESS and runs the steps in order, printing one JSON
line per step: {"step": ..., "result": ...}. Events are recorded from the
start; each "events" step hands over those recorded so far.

Steps:
  tree                    every object: role, name, description, states,
                          interfaces, actions, relations, text and value
  set:NAME=NUMBER         sets the value of the object named NAME
  press:NAME              does the "Press" action of the object named NAME
  window:NAME             waits until a window named NAME shows (true) or
                          gives up after twenty seconds (false)
  gone:NAME               waits until no window named NAME shows, likewise
  events:SECONDS          lets events arrive until they settle (at most
                          SECONDS), then lists them
Exits 2 when the application does not show up; a step that fails prints
{"step": ..., "error": ...} and ends the run with exit status 3.
"""
import json
import sys
import time

import pyatspi
from gi.repository import GLib

EVENT_TYPES = ("object:property-change:accessible-name", "object:property-change:accessible-value")
recorded = []


def nick(enum_value):
    return enum_value.value_nick


def describe(accessible, path):
    node = {
        "path": path,
        "role": accessible.getRoleName(),
        "name": accessible.name,
        "description": accessible.description,
        "states": sorted(nick(s) for s in accessible.getState().getStates()),
        "interfaces": sorted(accessible.get_interfaces()),
        "relations": {},
    }
    for relation in accessible.getRelationSet():
        targets = [relation.getTarget(i).name for i in range(relation.getNTargets())]
        node["relations"][nick(relation.getRelationType())] = targets
    if "Action" in node["interfaces"]:
        action = accessible.queryAction()
        node["actions"] = [action.getName(i) for i in range(action.nActions)]
    if "Text" in node["interfaces"]:
        node["text"] = accessible.queryText().getText(0, -1)
    if "Value" in node["interfaces"]:
        value = accessible.queryValue()
        node["value"] = [value.currentValue, value.minimumValue, value.maximumValue]
    return node


def walk(accessible, path=()):
    nodes = [describe(accessible, list(path))]
    for index in range(accessible.childCount):
        child = accessible.getChildAtIndex(index)
        if child is not None:
            nodes += walk(child, path + (index,))
    return nodes


def find_application(name, timeout=20.0):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        desktop = pyatspi.Registry.getDesktop(0)
        for index in range(desktop.childCount):
            application = desktop.getChildAtIndex(index)
            if application is not None and application.name == name:
                return application
        time.sleep(0.2)
    return None


def search(root, name, interface):
    if root.name == name and interface in root.get_interfaces():
        return root
    for index in range(root.childCount):
        child = root.getChildAtIndex(index)
        found = search(child, name, interface) if child is not None else None
        if found is not None:
            return found
    return None


def find_named(root, name, interface):
    found = search(root, name, interface)
    if found is None:
        raise LookupError("no object named %r with the %s interface" % (name, interface))
    return found


def press(accessible):
    action = accessible.queryAction()
    names = [action.getName(i) for i in range(action.nActions)]
    action.doAction(names.index("Press"))


def window_showing(application, name):
    for index in range(application.childCount):
        window = application.getChildAtIndex(index)
        if window is not None and window.name == name and window.getState().contains(pyatspi.STATE_SHOWING):
            return True
    return False


def wait_for_window(application, name, shown, timeout=20.0):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        if window_showing(application, name) == shown:
            return True
        time.sleep(0.1)
    return False


def record(event):
    source = event.source
    recorded.append({"type": event.type, "name": source.name if source else None})


def pump_events(seconds, quiet=0.75):
    """Lets events arrive until `quiet` seconds pass without one after the
    first, or `seconds` in all."""
    start = time.monotonic()
    state = {"count": 0, "last": start}

    def check():
        now = time.monotonic()
        if len(recorded) != state["count"]:
            state["count"], state["last"] = len(recorded), now
        settled = state["count"] > 0 and now - state["last"] >= quiet
        if settled or now - start >= seconds:
            pyatspi.Registry.stop()
            return False
        return True

    GLib.timeout_add(100, check)
    pyatspi.Registry.start()
    taken = list(recorded)
    recorded.clear()
    return taken


def run_step(application, step):
    kind, _, argument = step.partition(":")
    if kind == "tree":
        return walk(application)
    if kind == "set":
        name, _, number = argument.rpartition("=")
        find_named(application, name, "Value").queryValue().currentValue = float(number)
        return True
    if kind == "press":
        press(find_named(application, argument, "Action"))
        return True
    if kind == "window":
        return wait_for_window(application, argument, True)
    if kind == "gone":
        return wait_for_window(application, argument, False)
    if kind == "events":
        return pump_events(float(argument))
    raise ValueError("unknown step %r" % step)


def main(argv):
    application = find_application(argv[1])
    if application is None:
        print("the application %r is not on the accessibility bus" % argv[1], file=sys.stderr)
        return 2
    pyatspi.Registry.registerEventListener(record, *EVENT_TYPES)
    for step in argv[2:]:
        try:
            result = run_step(application, step)
        except Exception as error:  # the step's failure is the test's finding
            print(json.dumps({"step": step, "error": "%s: %s" % (type(error).__name__, error)}), flush=True)
            return 3
        print(json.dumps({"step": step, "result": result}), flush=True)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
