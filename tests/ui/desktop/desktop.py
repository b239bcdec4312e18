"""What the tests that run the window on a real display server share: starting and ending
the servers and the program, waiting, and reading screenshots."""

import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time

SKIP = 77  # ctest's SKIP_RETURN_CODE
MACHINE = os.path.join(os.path.dirname(__file__), "..", "..", "data", "machines", "desktop.json")


def need(*programs):
    """Ends the test as skipped when a program it needs is not installed."""
    missing = [p for p in programs if shutil.which(p) is None]
    if missing:
        print("SKIP: not installed: " + ", ".join(missing))
        sys.exit(SKIP)


def wait_for(probe, timeout, step=0.05):
    """The first true answer of probe() within timeout seconds, else its last answer."""
    end = time.monotonic() + timeout
    while time.monotonic() < end:
        answer = probe()
        if answer:
            return answer
        time.sleep(step)
    return probe()


class Failure(Exception):
    pass


def check(condition, what):
    if not condition:
        raise Failure(what)
    print("ok: " + what)


class Stage:
    """A folder for the run and every process started in it, ended on leaving."""

    def __init__(self):
        self.folder = tempfile.mkdtemp(prefix="hardlens-window-")
        os.chmod(self.folder, 0o700)
        self.processes = []
        self.env = dict(os.environ)
        for name in ("HARDLENS_EXIT_AFTER_FIRST_SECTION", "HARDLENS_VISIT_ALL_SECTIONS",
                     "WAYLAND_DISPLAY", "DISPLAY", "QT_QPA_PLATFORM"):
            self.env.pop(name, None)
        self.env["XDG_RUNTIME_DIR"] = self.folder
        self.env["LC_ALL"] = "C.UTF-8"

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        for p in reversed(self.processes):
            if p.poll() is None:
                p.terminate()
                try:
                    p.wait(3)
                except subprocess.TimeoutExpired:
                    p.kill()
                    p.wait()
        shutil.rmtree(self.folder, ignore_errors=True)
        return False

    def start(self, argv, env=None, **kwargs):
        p = subprocess.Popen(argv, env=env or self.env, **kwargs)
        self.processes.append(p)
        return p

    def run(self, argv, env=None, timeout=20):
        return subprocess.run(argv, env=env or self.env, capture_output=True, text=True,
                              timeout=timeout)

    def xvfb(self, size="1280x1024"):
        """Starts Xvfb on a free display; later processes of the stage use it."""
        read, write = os.pipe()
        self.start(["Xvfb", "-displayfd", str(write), "-screen", "0", size + "x24",
                    "-nolisten", "tcp"], pass_fds=(write,), stderr=subprocess.DEVNULL)
        os.close(write)
        with os.fdopen(read) as f:
            number = f.readline().strip()
        if not number:
            raise Failure("Xvfb did not start")
        self.env["DISPLAY"] = ":" + number
        return self.env["DISPLAY"]

    def program_env(self, settings=""):
        """The program's environment: its own settings, holding `settings`, and the recorded
        desktop machine."""
        config = tempfile.mkdtemp(dir=self.folder, prefix="config-")
        os.makedirs(os.path.join(config, "hardlens"))
        with open(os.path.join(config, "hardlens", "settings"), "w", encoding="utf-8") as f:
            f.write(settings)
        env = dict(self.env)
        env["XDG_CONFIG_HOME"] = config
        env["HARDLENS_SNAPSHOT"] = os.path.abspath(MACHINE)
        return env


def settings(language="English", skin="Blue", transparency=0):
    return "Idioma=%s\nCar\u00e1tula=%s\nTransparencia=%d\n" % (language, skin, transparency)


class Image:
    """An RGB picture read from a PPM (P6) file or bytes."""

    def __init__(self, data):
        fields, at = [], 0
        while len(fields) < 4:
            while data[at:at + 1].isspace():
                at += 1
            if data[at:at + 1] == b"#":
                at = data.index(b"\n", at)
                continue
            end = at
            while not data[end:end + 1].isspace():
                end += 1
            fields.append(data[at:end])
            at = end
        if fields[0] != b"P6" or fields[3] != b"255":
            raise Failure("not an 8-bit PPM picture")
        self.width, self.height = int(fields[1]), int(fields[2])
        self.pixels = data[at + 1:]

    def at(self, x, y):
        i = 3 * (y * self.width + x)
        return tuple(self.pixels[i:i + 3])


def x_screenshot(stage, path=None):
    """The X screen as ImageMagick's import reads it; also written to `path` when given."""
    shot = subprocess.run(["import", "-window", "root", "-depth", "8", "ppm:-"], env=stage.env,
                          capture_output=True, timeout=20, check=True).stdout
    if path:
        subprocess.run(["import", "-window", "root", path], env=stage.env, timeout=20,
                       check=True)
    return Image(shot)
