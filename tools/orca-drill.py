#!/usr/bin/python3
"""Answers a whole drill with keys, as a pupil who listens would: waits for
each new problem (read from the program's accessibility tree), gives Orca
time to speak it, types the answer and presses space. The first answer is
wrong on purpose and is confirmed with "+" twice.
Usage: orca-drill.py <orca debug log> <seconds allowed>"""
import re
import sys
import time

from kazudori_atspi import Atspi, keys, program

PROBLEM = re.compile(r"(\d+)\s*([＋－×÷])\s*(\d+)\s*=")
OPS = {"＋": lambda a, b: a + b, "－": lambda a, b: a - b,
       "×": lambda a, b: a * b, "÷": lambda a, b: a // b}



holder = [None]


def problem_of(node):
    match = PROBLEM.search(node.get_name() or "")
    if match and node.get_state_set().contains(Atspi.StateType.SHOWING):
        return match
    return None


def find_problem(node, depth=0):
    """The problem on screen; the object that showed the last one is asked first."""
    if depth == 0 and holder[0] is not None:
        try:
            match = problem_of(holder[0])
            if match:
                return match
        except Exception:
            holder[0] = None
    if node is None or depth > 30:
        return None
    try:
        match = problem_of(node)
        if match:
            holder[0] = node
            return match
        for i in range(node.get_child_count()):
            found = find_problem(node.get_child_at_index(i), depth + 1)
            if found:
                return found
    except Exception:
        return None
    return None


def spoken_lately(log):
    with open(log, "rb") as f:
        f.seek(0, 2)
        f.seek(max(0, f.tell() - 20000))
        lines = f.read().decode("utf-8", "replace").splitlines()
    return "".join(l for l in lines if "SPEECH OUTPUT" in l).replace(" ", "")



def main():
    log, allowed = sys.argv[1], float(sys.argv[2])
    deadline = time.monotonic() + allowed
    last, answered, wrong_done = None, 0, False
    # The 100th correct answer ends the session.
    while answered < 100 and time.monotonic() < deadline:
        app = program()
        match = find_problem(app) if app else None
        text = match.group(0) if match else None
        if text is None or text == last:
            time.sleep(0.05)
            continue
        # Wait (bounded) until Orca has sent this problem to speech.
        offset_wait = time.monotonic() + 1.5
        while time.monotonic() < offset_wait:
            if text.replace(" ", "") in spoken_lately(log):
                break
            time.sleep(0.05)
        a, op, b = int(match.group(1)), match.group(2), int(match.group(3))
        answer = OPS[op](a, b)
        if not wrong_done:
            keys(*list(str(answer + 1)), "space")
            time.sleep(1.5)
            keys("plus", "plus")
            wrong_done = True
        else:
            keys(*list(str(answer)), "space")
            answered += 1
        last = text
        print(f"{text}{answer}", flush=True)
    return 0 if answered >= 100 else 1


if __name__ == "__main__":
    sys.exit(main())
