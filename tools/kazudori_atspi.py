"""What the Orca check's drivers share: the program in the accessibility
tree, and keys sent as a keyboard would."""
import subprocess

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi  # noqa: E402,F401


def program():
    desktop = Atspi.get_desktop(0)
    for i in range(desktop.get_child_count()):
        app = desktop.get_child_at_index(i)
        if app is not None and app.get_name() == "kazudori":
            return app
    return None


def keys(*names, delay=40):
    subprocess.run(["xdotool", "key", "--delay", str(delay), *names], check=True)
