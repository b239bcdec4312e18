"""What a screen reader finds in the window, read through AT-SPI (pyatspi) on a session bus
under Xvfb: the window is a frame, the menu entry shown is selected, descriptions are plain
words, the language and skin choices tell which is checked, the transparency slider has a
value, and the open pop-up menus are in the tree."""

import os
import shutil
import subprocess
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from desktop import Failure, Stage, check, need, settings, wait_for  # noqa: E402

ENTRIES = ["Summary", "User", "Computer", "Operating system", "Processor", "RAM", "Hard drives",
           "Bios", "Display", "Keyboard and mouse", "Removable memory", "CDs/DVDs",
           "Others hardware"]


def walk(node, depth=0):
    """Every node under `node`, read afresh."""
    if node is None or depth > 12:
        return
    node.clearCache()
    yield node
    for i in range(node.childCount):
        yield from walk(node.getChildAtIndex(i), depth + 1)


def find_all(root, role, name=None):
    return [n for n in walk(root) if n.getRole() == role and (name is None or n.name == name)]


def states(node):
    node.clearCache()
    return node.getState()


def main(program):
    need("Xvfb", "xdotool", "dbus-run-session")
    if "HARDLENS_A11Y_SESSION" not in os.environ:
        # A bus of our own, where the accessibility bus starts on demand; pyatspi comes with
        # the system's Python, which may not be the one running this.
        python = "/usr/bin/python3" if os.path.exists("/usr/bin/python3") else sys.executable
        env = dict(os.environ, HARDLENS_A11Y_SESSION="1")
        sys.exit(subprocess.call(["dbus-run-session", "--", python, __file__, program],
                                 env=env))
    if not shutil.which("/usr/libexec/at-spi-bus-launcher") and not os.path.exists(
            "/usr/share/dbus-1/services/org.a11y.Bus.service"):
        print("SKIP: the accessibility bus (at-spi2-core) is not installed")
        sys.exit(77)
    try:
        import pyatspi
    except ImportError:
        print("SKIP: pyatspi (python3-pyatspi) is not installed")
        sys.exit(77)

    with Stage() as s:
        s.env["DBUS_SESSION_BUS_ADDRESS"] = os.environ["DBUS_SESSION_BUS_ADDRESS"]
        os.environ["DISPLAY"] = s.xvfb()
        env = s.program_env(settings())
        env.update(QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1",
                   QT_ACCESSIBILITY="1")
        program = s.start([program], env=env)
        key = lambda *keys: s.run(["xdotool", "key", "--delay", "80"] + list(keys))

        def application():
            desktop = pyatspi.Registry.getDesktop(0)
            desktop.clearCache()
            for i in range(desktop.childCount):
                app = desktop.getChildAtIndex(i)
                if app is not None and app.get_process_id() == program.pid:
                    return app
            return None

        app = wait_for(application, 20, 0.2)
        check(app is not None, "the program is on the accessibility bus")
        window = wait_for(lambda: app.childCount and app.getChildAtIndex(0), 10)
        check(window.getRole() == pyatspi.ROLE_FRAME,
              "the window is a frame (%s)" % window.getRoleName())

        def entry_states():
            entries = {n.name: states(n) for n in find_all(window, pyatspi.ROLE_MENU_ITEM)
                       if n.name in ENTRIES}
            return entries if len(entries) == len(ENTRIES) else None

        def selected_entries():
            entries = entry_states() or {}
            return [name for name, st in entries.items()
                    if st.contains(pyatspi.STATE_SELECTED)]

        check(wait_for(lambda: selected_entries() == ["Summary"], 10),
              "the Summary's entry is the one selected: %s" % selected_entries())
        check(all(st.contains(pyatspi.STATE_SELECTABLE) for st in entry_states().values()),
              "every menu entry is selectable")

        key("Down", "Down", "Return")
        check(wait_for(lambda: selected_entries() == ["Computer"], 5),
              "after Down, Down, Enter the Computer's entry is selected: %s"
              % selected_entries())
        tips = {n.name: n.description for n in walk(window) if n.description}
        check(tips.get("Auto restart option: ") == "In case of an error, the system will reboot.",
              "a row's explanation is read as words: %r" % tips.get("Auto restart option: "))
        check(not [t for t in tips.values() if "<" in t],
              "no description is markup: %s" % [t for t in tips.values() if "<" in t])

        def popup_items():
            menus = [n for n in walk(app) if n.getRole() == pyatspi.ROLE_POPUP_MENU
                     and states(n).contains(pyatspi.STATE_SHOWING)]
            return [[item.name for item in walk(m) if item.getRole() == pyatspi.ROLE_MENU_ITEM]
                    for m in menus]

        key("F10")
        options = ["Customize", "Generate report", "About...", "Quit"]
        check(wait_for(lambda: options in popup_items(), 5),
              "the open options menu is in the tree: %s" % popup_items())
        key("Escape")
        check(wait_for(lambda: popup_items() == [], 5), "and leaves it when closed")
        key("shift+F10")
        check(wait_for(lambda: ["Copy", "Copy all", "Details"] in popup_items(), 5),
              "the open copy menu is in the tree: %s" % popup_items())
        key("Escape")
        check(wait_for(lambda: popup_items() == [], 5), "and leaves it when closed")

        key("F10", "Down", "Return")  # Customize

        def checked(role=pyatspi.ROLE_RADIO_BUTTON):
            found = {n.name: states(n) for n in find_all(window, role)
                     if states(n).contains(pyatspi.STATE_SHOWING)}
            if len(found) != 7:
                return None
            return sorted(n for n, st in found.items() if st.contains(pyatspi.STATE_CHECKED))

        focused = lambda: [n.name for n in walk(window)
                           if states(n).contains(pyatspi.STATE_FOCUSED)]
        check(wait_for(lambda: checked() == ["Blue", "English (UK, Great Britain)"], 5),
              "the language and skin in force are the checked choices: %s" % checked())
        sliders = find_all(window, pyatspi.ROLE_SLIDER)
        check(len(sliders) == 1, "one slider")
        value = sliders[0].queryValue()
        check((value.currentValue, value.minimumValue, value.maximumValue) == (0, 0, 80),
              "the slider tells its value and range: %s of %s..%s"
              % (value.currentValue, value.minimumValue, value.maximumValue))

        # From the first flag: five Tabs to the Pink skin, chosen with Space; two more to the
        # slider, moved three steps right.
        key(*["Tab"] * 5 + ["space"])
        check(wait_for(lambda: checked() == ["English (UK, Great Britain)", "Pink"], 5),
              "choosing Pink checks it instead of Blue: %s (focus on %s)"
              % (checked(), focused()))
        key("Tab", "Tab", "Right", "Right", "Right")
        check(wait_for(lambda: sliders[0].queryValue().currentValue == 3, 5),
              "the slider's value follows its keys: %s" % sliders[0].queryValue().currentValue)
        key("Escape")
        details(key, window, pyatspi)
        program.terminate()


def details(key, window, pyatspi):
    """The RAM's details view: its control is a button that tells whether the section lists
    devices; the view is a named list of items, each field one plain line."""
    key("Down", "Down", "Down", "Return")  # from the Computer's entry to the RAM's
    check(wait_for(lambda: selected_entries_of(window, pyatspi) == ["RAM"], 5),
          "the RAM's entry is selected: %s" % selected_entries_of(window, pyatspi))
    buttons = [n for n in find_all(window, pyatspi.ROLE_PUSH_BUTTON)
               if n.name in ("Details", "Close details")]
    check(len(buttons) == 1, "one details control: %s" % [b.name for b in buttons])
    control = buttons[0]
    enabled = states(control).contains(pyatspi.STATE_ENABLED)
    explanation = ("Every device of this section, one by one (key D)" if enabled
                   else "This section lists no devices")
    check(control.description == explanation,
          "the control's explanation says whether it opens: %r" % control.description)
    key("d")

    def lists():
        return [n for n in find_all(window, pyatspi.ROLE_LIST)
                if n.name == "Devices: RAM" and states(n).contains(pyatspi.STATE_SHOWING)]
    if not enabled:
        time.sleep(1)
        check(lists() == [], "D opens nothing where the control is disabled")
        return
    check(wait_for(lambda: lists(), 5), "D opens the list of the RAM's devices")
    items = find_all(lists()[0], pyatspi.ROLE_LIST_ITEM)
    fields = [f.name for i in items for f in find_all(i, pyatspi.ROLE_LABEL)
              if f.name != i.name]
    if items:
        check(wait_for(lambda: states(items[0]).contains(pyatspi.STATE_FOCUSED), 5),
              "the first device has the focus")
        check(all(": " in f for f in fields), "each field reads caption: value: %s" % fields)
    check(not [f for f in fields if "<" in f], "no field is markup: %s" % fields)
    key("Escape")
    check(wait_for(lambda: lists() == [], 5), "Escape closes the view")


def selected_entries_of(window, pyatspi):
    return [n.name for n in find_all(window, pyatspi.ROLE_MENU_ITEM)
            if n.name in ENTRIES and states(n).contains(pyatspi.STATE_SELECTED)]


if __name__ == "__main__":
    try:
        main(sys.argv[1])
    except (Failure, subprocess.TimeoutExpired) as e:
        print("FAIL: %s" % e)
        sys.exit(1)
