"""The window under weston (Wayland): it starts with nothing on standard error, its
transparency reaches the screen (headless weston, its screenshots), and keys reach it (weston
nested in Xvfb, as headless weston has no keyboard)."""

import glob
import os
import subprocess
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from desktop import Failure, Image, Stage, check, need, settings, wait_for, x_screenshot  # noqa

SIZE = (1024, 768)
# A transparency of 30 % is an alpha of 178.5 of 255, rounded half to even.
ALPHA = 178 / 255.0


def weston(stage, socket, backend, shell):
    argv = ["weston", "--backend=%s-backend.so" % backend, "--socket=" + socket,
            "--shell=%s-shell.so" % shell, "--use-pixman", "--idle-time=0",
            "--width=%d" % SIZE[0], "--height=%d" % SIZE[1]]
    if backend == "headless":
        argv.append("--debug")  # lets weston-screenshooter read the screen
    log = open(os.path.join(stage.folder, socket + ".log"), "w")
    stage.start(argv, stdout=log, stderr=subprocess.STDOUT)
    check(wait_for(lambda: os.path.exists(os.path.join(stage.folder, socket)), 10),
          "weston (%s) is running" % backend)


def wayland_env(stage, socket, transparency):
    env = stage.program_env(settings(transparency=transparency))
    env["QT_QPA_PLATFORM"] = "wayland"
    env["WAYLAND_DISPLAY"] = socket
    env.pop("DISPLAY", None)
    return env


def screenshot(stage, socket):
    for old in glob.glob(os.path.join(stage.folder, "wayland-screenshot*.png")):
        os.remove(old)
    env = dict(stage.env, WAYLAND_DISPLAY=socket)
    subprocess.run(["weston-screenshooter"], env=env, cwd=stage.folder, timeout=20,
                   capture_output=True)
    shots = glob.glob(os.path.join(stage.folder, "wayland-screenshot*.png"))
    if not shots:
        raise Failure("weston-screenshooter wrote no picture")
    raw = subprocess.run(["stream", "-map", "rgb", "-storage-type", "char", shots[0], "-"],
                         capture_output=True, timeout=20, check=True).stdout
    header = b"P6\n%d %d\n255\n" % SIZE
    return Image(header + raw)


PANEL = 40  # weston's panel and its clock, left out of every comparison


def settled(shoot, timeout=10):
    """The screen once two screenshots in a row agree below the panel."""
    last = shoot()
    end = time.monotonic() + timeout
    while time.monotonic() < end:
        time.sleep(0.3)
        shot = shoot()
        if shot.pixels[PANEL * 3 * SIZE[0]:] == last.pixels[PANEL * 3 * SIZE[0]:]:
            return shot
        last = shot
    raise Failure("the screen does not settle")


def changed_box(shot, empty):
    """The rectangle of the screen below the panel where `shot` differs from `empty`."""
    row = 3 * SIZE[0]
    rows = [y for y in range(PANEL, SIZE[1])
            if shot.pixels[y * row:(y + 1) * row] != empty.pixels[y * row:(y + 1) * row]]
    if not rows:
        return None
    left, right = SIZE[0], -1
    for y in (rows[0], rows[len(rows) // 2], rows[-1]):
        a = int.from_bytes(shot.pixels[y * row:(y + 1) * row], "big")
        b = int.from_bytes(empty.pixels[y * row:(y + 1) * row], "big")
        diff = a ^ b
        if diff:
            left = min(left, (row * 8 - diff.bit_length()) // 24)
            right = max(right, (row * 8 - 1 - ((diff & -diff).bit_length() - 1)) // 24)
    return left, rows[0], right - left + 1, rows[-1] - rows[0] + 1


# Points of the window: the value area's background, the menu's frame, the title piece.
POINTS = [(600, 300), (100, 500), (60, 20)]


def shown_at(stage, socket, transparency, empty):
    """Starts the program and returns the screen once its window has settled, where the
    window is, and the program's standard error."""
    errors = open(os.path.join(stage.folder, "stderr-%d" % transparency), "w+")
    program = stage.start([sys.argv[1]], env=wayland_env(stage, socket, transparency),
                            stderr=errors)
    window = lambda: changed_box(screenshot(stage, socket), empty)
    box = wait_for(lambda: (window() or (0, 0, 0, 0))[2:] == WINDOW and window(), 15, 0.3)
    check(bool(box), "the whole window shows at %d %%: %s" % (transparency, window()))
    shot = settled(lambda: screenshot(stage, socket))
    program.terminate()
    program.wait(10)
    errors.seek(0)
    return shot, changed_box(shot, empty), errors.read()


WINDOW = (780, 540)


def transparency_reaches_the_screen(s):
    weston(s, "hl-headless", "headless", "desktop")
    empty = settled(lambda: screenshot(s, "hl-headless"))
    opaque, at0, errors0 = shown_at(s, "hl-headless", 0, empty)
    check(errors0 == "", "nothing on standard error when opaque: %r" % errors0)
    clear, at30, errors30 = shown_at(s, "hl-headless", 30, empty)
    check(errors30 == "", "nothing on standard error at 30 %%: %r" % errors30)
    for x, y in POINTS:
        o = opaque.at(at0[0] + x, at0[1] + y)
        e = empty.at(at30[0] + x, at30[1] + y)
        got = clear.at(at30[0] + x, at30[1] + y)
        want = tuple(round(a * ALPHA + b * (1 - ALPHA)) for a, b in zip(o, e))
        check(all(abs(g - w) <= 4 for g, w in zip(got, want)),
              "at %s of the window the screen blends it 70 %% over the desktop: %s, "
              "opaque %s, desktop %s, expected %s" % ((x, y), got, o, e, want))


def keys_reach_the_window(s):
    s.xvfb("%dx%d" % SIZE)
    weston(s, "hl-nested", "x11", "desktop")
    xdo = lambda *a: s.run(["xdotool"] + list(a)).stdout
    screen = wait_for(lambda: xdo("search", "--class", "Weston").split(), 10)
    check(bool(screen), "weston's screen is a window on the X screen")
    empty = settled(lambda: x_screenshot(s))
    program = s.start([sys.argv[1]], env=wayland_env(s, "hl-nested", 0), stderr=subprocess.PIPE)
    window = lambda: changed_box(x_screenshot(s), empty)
    check(wait_for(lambda: (window() or (0, 0, 0, 0))[2:] == WINDOW, 15, 0.3),
          "the window shows in nested weston: %s" % (window(),))
    before = settled(lambda: x_screenshot(s))
    xdo("mousemove", "5", "700")
    # Down twice and Enter: the Computer section replaces the Summary. On a loaded machine
    # weston may hand the new surface the keyboard only after the first keys: the keys are
    # sent again then, as a user would press them again.
    changed = None
    for attempt in range(3):
        xdo("windowfocus", "--sync", screen[0])
        xdo("key", "--delay", "100", "Down", "Down", "Return")
        changed = wait_for(lambda: changed_box(x_screenshot(s), before), 8, 0.2)
        if changed:
            break
    check(bool(changed), "arrows and Enter change the section")
    # Ctrl+Q, pressed again if a loaded machine lost it as it may lose the arrows.
    code = None
    for attempt in range(3):
        xdo("windowfocus", "--sync", screen[0])
        xdo("key", "ctrl+q")
        try:
            code = program.wait(15)
            break
        except subprocess.TimeoutExpired:
            pass
    check(code == 0, "Ctrl+Q ends the program (%s)" % code)
    errors = program.stderr.read().decode(errors="replace")
    check(errors == "", "nothing on standard error: %r" % errors)


def quiet_without_transparency(s):
    """Where the platform shows no transparency at all, a saved one is not tried either."""
    env = s.program_env(settings(transparency=30))
    env.update(QT_QPA_PLATFORM="minimal", HARDLENS_EXIT_AFTER_FIRST_SECTION="1")
    run = s.run([sys.argv[1]], env=env, timeout=30)
    check(run.returncode == 0 and "first section shown" in run.stdout,
          "the window starts on a platform without transparency")
    check(run.stderr == "", "nothing on standard error there: %r" % run.stderr)


def main():
    need("weston", "weston-screenshooter", "stream", "Xvfb", "xdotool", "import")
    plugins = glob.glob("/usr/lib/*/qt6/plugins/platforms/libqwayland-generic.so")
    if not plugins:
        print("SKIP: Qt's Wayland platform (qt6-wayland) is not installed")
        sys.exit(77)
    with Stage() as s:
        transparency_reaches_the_screen(s)
    with Stage() as s:
        keys_reach_the_window(s)
    with Stage() as s:
        quiet_without_transparency(s)


if __name__ == "__main__":
    try:
        main()
    except (Failure, subprocess.TimeoutExpired, subprocess.CalledProcessError) as e:
        print("FAIL: %s" % e)
        sys.exit(1)
