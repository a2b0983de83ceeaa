#!/usr/bin/python3
"""Presses a key, as a listener would, until the program's focused object
is named by a pattern: the focus is read from the accessibility tree, not
from Orca's log, which Orca writes in blocks.
Usage: orca-focus.py <key> <pattern> <at most>"""
import re
import sys
import time

from kazudori_atspi import Atspi, keys, program




LISTS = {Atspi.Role.LIST, Atspi.Role.LIST_BOX, Atspi.Role.TABLE, Atspi.Role.TREE_TABLE, Atspi.Role.TREE}


def focused(node, depth=0):
    if node is None or depth > 30:
        return None
    try:
        states = node.get_state_set()
        # Only what shows can hold the focus.
        if depth > 1 and not states.contains(Atspi.StateType.SHOWING):
            return None
        is_focused = states.contains(Atspi.StateType.FOCUSED)
        # A list keeps its current line marked focused after it lost the
        # focus: its lines count only while the list itself has it.
        if node.get_role() in LISTS and not is_focused:
            return None
        for i in range(node.get_child_count()):
            found = focused(node.get_child_at_index(i), depth + 1)
            if found:
                return found
        if is_focused:
            return node
    except Exception:
        return None
    return None


def focused_name():
    app = program()
    node = focused(app) if app else None
    return node.get_name() if node else ""


def main():
    key, pattern, most = sys.argv[1], re.compile(sys.argv[2]), int(sys.argv[3])
    for _ in range(most):
        keys(key)
        time.sleep(0.4)
        name = focused_name()
        if pattern.search(name):
            print(name)
            return 0
    print(f"no focus named {pattern.pattern} after {most} × {key}: {focused_name()}", file=sys.stderr)
    return 1


if __name__ == "__main__":
    sys.exit(main())
