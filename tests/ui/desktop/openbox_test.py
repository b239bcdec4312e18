"""The window under Xvfb with the openbox window manager: moved by a drag on its title, frame
or background, opening its options menu on a click on the title, and brought back by a later
start when minimised or covered."""

import os
import re
import subprocess
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from desktop import Failure, Stage, check, need, settings, wait_for  # noqa: E402


def xdo(stage, *args):
    return stage.run(["xdotool"] + [str(a) for a in args]).stdout


def geometry(stage, window):
    text = xdo(stage, "getwindowgeometry", "--shell", window)
    values = dict(re.findall(r"^(\w+)=(\d+)$", text, re.M))
    return int(values["X"]), int(values["Y"])


def viewable(stage, window):
    return "IsViewable" in stage.run(["xwininfo", "-id", window]).stdout


def on_top(stage):
    """The top window of the manager's stacking order."""
    text = stage.run(["xprop", "-root", "_NET_CLIENT_LIST_STACKING"]).stdout
    ids = re.findall(r"0x[0-9a-f]+", text)
    return int(ids[-1], 16) if ids else None


FIRST_STEP = (12, 6)  # past the drag distance of 10 (Manhattan)


def drag(stage, start, by):
    x, y = start
    xdo(stage, "mousemove", x, y)
    time.sleep(0.1)
    xdo(stage, "mousedown", 1)
    time.sleep(0.3)
    xdo(stage, "mousemove", x + FIRST_STEP[0], y + FIRST_STEP[1])
    time.sleep(0.5)  # the window manager has taken the pointer
    xdo(stage, "mousemove", x + by[0], y + by[1])
    time.sleep(0.5)
    xdo(stage, "mouseup", 1)


def main(program):
    need("Xvfb", "openbox", "xdotool", "xprop", "xwininfo", "xmessage")
    with Stage() as s:
        s.xvfb()
        s.start(["openbox", "--sm-disable"], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        # A loaded machine may take openbox many seconds to start; the wait ends once it has.
        check(wait_for(lambda: "window id" in s.run(["xprop", "-root",
                                                      "_NET_SUPPORTING_WM_CHECK"]).stdout, 60),
              "openbox manages the screen")
        env = s.program_env(settings())
        env["QT_QPA_PLATFORM"] = "xcb"
        first = s.start([program], env=env)
        found = wait_for(lambda: xdo(s, "search", "--onlyvisible", "--pid", first.pid,
                                     "--name", "Hardlens").split(), 15)
        check(bool(found), "the window is shown")
        window = found[0]
        # Faded in: the window's opacity is whole again.
        opacity = lambda: s.run(["xprop", "-id", window, "_NET_WM_WINDOW_OPACITY"]).stdout
        check(wait_for(lambda: "= 4294967295" in opacity() or "not found" in opacity(), 10),
              "the window has faded in")
        time.sleep(0.3)

        # Places in the window: the title "Hardlens", the empty background of the value
        # area, the frame below the menu. The title is also clicked: its move starts past the
        # drag distance, and the window still follows the whole drag.
        for name, place, by in (("title", (100, 20), (150, 90)),
                                ("background", (700, 470), (-120, -60)),
                                ("frame", (100, 530), (-40, 30))):
            before = geometry(s, window)
            drag(s, (before[0] + place[0], before[1] + place[1]), by)
            want = (before[0] + by[0], before[1] + by[1])
            got = wait_for(lambda: geometry(s, window) == want and want, 5) or geometry(s, window)
            check(got == want, "a drag on the %s by %s moves the window to %s (now at %s, from %s)"
                  % (name, by, want, got, before))

        # A click on the title stays a click: the options menu opens.
        x, y = geometry(s, window)
        xdo(s, "mousemove", x + 100, y + 20)
        xdo(s, "click", 1)
        shown = lambda: len(xdo(s, "search", "--onlyvisible", "--pid", first.pid, ".").split())
        check(wait_for(lambda: shown() == 2, 5), "a click on the title opens the options menu")
        xdo(s, "key", "Escape")
        check(wait_for(lambda: shown() == 1, 5), "Escape closes it")

        xdo(s, "windowminimize", window)
        check(wait_for(lambda: not viewable(s, window), 5), "the window is minimised")
        later = s.run([program], env=env)
        check(later.returncode == 0, "a second start ends at once (%d)" % later.returncode)
        check(wait_for(lambda: viewable(s, window), 5), "and restores the minimised window")

        cover = s.start(["xmessage", "-geometry", "1200x1000+0+0", "cover"],
                        stderr=subprocess.DEVNULL)
        covered = wait_for(lambda: on_top(s) not in (None, int(window)), 10)
        check(bool(covered), "another window covers it")
        later = s.run([program], env=env)
        check(later.returncode == 0, "a third start ends at once")
        check(wait_for(lambda: on_top(s) == int(window), 5), "and raises the covered window")
        cover.terminate()


if __name__ == "__main__":
    try:
        main(sys.argv[1])
    except (Failure, subprocess.TimeoutExpired) as e:
        print("FAIL: %s" % e)
        sys.exit(1)
