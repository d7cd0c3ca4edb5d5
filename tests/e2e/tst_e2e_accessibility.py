#!/usr/bin/python3
"""Trovia as a screen reader meets it: the real program on the test's X display, the real AT-SPI
accessibility bus, and pyatspi as the client. Real key presses come from xdotool.

  tst_e2e_accessibility.py english   find the field and the list by role and name, type, move the
                                     selection, hear it, walk the Preferences with Tab, launch
  tst_e2e_accessibility.py german    LANG=de_DE.UTF-8: the German menu and an entry's Name[de]

Runs inside tests/with-x-session --wm (its own Xvfb, openbox and session bus). The session bus
activates nothing, so the accessibility bus and its registry are started here.
"""
import os
import shutil
import subprocess
import sys
import tempfile
import time

TROVIA = os.environ["TROVIA_BINARY"]
failures = []


def check(condition, message):
    if not condition:
        failures.append(message)
        print("FAIL: " + message, flush=True)
    return condition


def fatal(message):
    print("FAIL: " + message, flush=True)
    sys.exit(1)


def wait_until(condition, timeout=15.0, pump=None):
    end = time.monotonic() + timeout
    while time.monotonic() < end:
        if pump:
            pump()
        result = condition()
        if result:
            return result
        time.sleep(0.05)
    return None


def run_quietly(*command):
    return subprocess.run(command, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)


def key(*keys):
    subprocess.run(["xdotool", "key", "--clearmodifiers", *keys], check=True)


def type_text(text):
    subprocess.run(["xdotool", "type", "--delay", "60", text], check=True)


def active_window_name():
    return run_quietly("xdotool", "getactivewindow", "getwindowname").stdout.strip()


class Home:
    """An isolated user: HOME and XDG folders in a temporary folder, fixture entries whose Exec
    appends the entry's id to a marker file."""

    def __init__(self):
        self.root = tempfile.mkdtemp(prefix="trovia-a11y.")
        self.marker = os.path.join(self.root, "launched")
        self.applications = os.path.join(self.root, "data", "applications")
        os.makedirs(self.applications)
        runtime = os.path.join(self.root, "runtime")
        os.makedirs(runtime, mode=0o700)
        self.env = dict(os.environ)
        for name in ("LANGUAGE", "LC_ALL", "LC_MESSAGES", "QT_QPA_PLATFORM", "WAYLAND_DISPLAY",
                     "XDG_CURRENT_DESKTOP", "DESKTOP_STARTUP_ID"):
            self.env.pop(name, None)
        self.env.update({
            "HOME": self.root,
            "XDG_DATA_HOME": os.path.join(self.root, "local"),
            "XDG_DATA_DIRS": os.path.join(self.root, "data"),
            "XDG_CONFIG_HOME": os.path.join(self.root, "config"),
            "XDG_CACHE_HOME": os.path.join(self.root, "cache"),
            "XDG_RUNTIME_DIR": runtime,
            "LANG": "C.UTF-8",
            "QT_LINUX_ACCESSIBILITY_ALWAYS_ON": "1",
        })

    def add_entry(self, entry_id, name, extra="", program="mark"):
        """program: the marker script's name; "wine" makes a Windows (Wine) entry."""
        script = os.path.join(self.root, "bin", program)
        if not os.path.exists(script):
            os.makedirs(os.path.dirname(script), exist_ok=True)
            with open(script, "w") as out:
                out.write("#!/bin/sh\necho \"$1\" >> '%s'\n" % self.marker)
            os.chmod(script, 0o755)
        with open(os.path.join(self.applications, entry_id + ".desktop"), "w") as entry:
            entry.write("[Desktop Entry]\nType=Application\nName=%s\n%sExec=%s %s\n"
                        % (name, extra, script, entry_id))

    def launches(self):
        try:
            with open(self.marker) as marker:
                return marker.read().split()
        except FileNotFoundError:
            return []

    def remove(self):
        shutil.rmtree(self.root, ignore_errors=True)


def start_accessibility_bus(processes):
    processes.append(subprocess.Popen(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"],
                                      stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL))

    def bus_address():
        reply = run_quietly("dbus-send", "--session", "--print-reply=literal",
                            "--dest=org.a11y.Bus", "/org/a11y/bus", "org.a11y.Bus.GetAddress")
        return reply.stdout.strip() if reply.returncode == 0 else None

    address = wait_until(bus_address)
    if not address:
        fatal("the accessibility bus did not start (at-spi-bus-launcher)")
    processes.append(subprocess.Popen(["/usr/libexec/at-spi2-registryd"],
                                      stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL))

    def registry_runs():
        reply = run_quietly("dbus-send", "--bus=" + address, "--print-reply=literal",
                            "--dest=org.freedesktop.DBus", "/org/freedesktop/DBus",
                            "org.freedesktop.DBus.NameHasOwner", "string:org.a11y.atspi.Registry")
        return "true" in reply.stdout

    if not wait_until(registry_runs):
        fatal("the accessibility registry did not start (at-spi2-registryd)")


class ScreenReader:
    """What a screen reader sees: the accessible tree and the events it is sent."""

    def __init__(self):
        import gi
        gi.require_version("Atspi", "2.0")
        from gi.repository import GLib
        import pyatspi
        self.pyatspi = pyatspi
        self.context = GLib.MainContext.default()
        self.events = []
        pyatspi.Registry.registerEventListener(
            self.record, "object:property-change:accessible-description",
            "object:state-changed:focused", "object:selection-changed",
            "object:state-changed:selected")

    def record(self, event):
        """Keeps (type, source name, source role, detail1, source description): a screen reader
        reads the changed description from the object when the event comes."""
        try:
            source = event.source
            name, role, description = source.name, source.getRoleName(), source.description
        except Exception:
            name, role, description = "", "", ""
        self.events.append((event.type, name, role, event.detail1, description))

    def pump(self):
        while self.context.iteration(False):
            pass

    def wait_for_event(self, matches, timeout=10.0):
        def found():
            return next((e for e in self.events if matches(e)), None)
        return wait_until(found, timeout, self.pump)

    def application(self, pid):
        def find():
            desktop = self.pyatspi.Registry.getDesktop(0)
            for index in range(desktop.childCount):
                app = desktop.getChildAtIndex(index)
                if app is not None and app.get_process_id() == pid:
                    return app
            return None
        return wait_until(find, 20.0, self.pump)

    def descendants(self, root):
        found = []
        stack = [root]
        while stack:
            node = stack.pop()
            if node is None:
                continue
            found.append(node)
            stack.extend(node.getChildAtIndex(i) for i in range(node.childCount))
        return found

    def find(self, root, roles, name, timeout=10.0):
        roles = [getattr(self.pyatspi, role) for role in roles]

        def look():
            return next((node for node in self.descendants(root)
                         if node.getRole() in roles and node.name == name), None)
        return wait_until(look, timeout, self.pump)

    def has_state(self, node, state):
        return node.getState().contains(getattr(self.pyatspi, state))


def start_trovia(home, processes):
    trovia = subprocess.Popen([TROVIA], env=home.env, stdout=subprocess.DEVNULL,
                              stderr=subprocess.PIPE, text=True)
    processes.append(trovia)
    if not wait_until(lambda: active_window_name() == "Trovia", 20.0):
        fatal("Trovia's window never became active")
    return trovia


def english(reader, trovia, home):
    app = reader.application(trovia.pid)
    if not app:
        fatal("Trovia is not on the accessibility bus")
    field = reader.find(app, ["ROLE_ENTRY", "ROLE_TEXT"], "Search applications")
    if not field:
        fatal("no entry named 'Search applications'")
    check(reader.has_state(field, "STATE_FOCUSED"), "the search field is not focused")
    check(field.description != "", "the search field has no description")

    type_text("t")
    counted = reader.wait_for_event(lambda e: e[0].endswith("accessible-description")
                                    and e[1] == "Search applications"
                                    and e[4].startswith("Applications found: 4. "))
    check(counted, "no description change told the number of matches: %s" % reader.events)
    table = reader.find(app, ["ROLE_TABLE"], "Matching applications")
    if not table:
        fatal("no table named 'Matching applications'")

    def selected_name():
        rows = table.queryTable().getSelectedRows()
        return table.queryTable().getAccessibleAt(rows[0], 1).name if len(rows) == 1 else None

    first = selected_name()
    check(counted and counted[4] == "Applications found: 4. %s, 1 of 4" % first,
          "the count announcement does not name the selected row %r: %s" % (first, counted))

    del reader.events[:]
    key("Down")
    check(wait_until(lambda: selected_name() not in (None, first), 10.0, reader.pump),
          "Down did not move the selection")
    second = selected_name()
    heard = reader.wait_for_event(lambda e: e[0].endswith("accessible-description")
                                  and e[4] == "%s, 2 of 4" % second)
    check(heard, "no description change announced %r, 2 of 4: %s" % (second, reader.events))
    check(reader.wait_for_event(lambda e: e[0] == "object:state-changed:selected" and e[3] == 1
                                and e[1] == second),
          "the list did not say that %r is selected: %s" % (second, reader.events))
    # The focus, for the screen reader too, stays in the field.
    check(reader.has_state(field, "STATE_FOCUSED"), "the search field lost the focus")
    stolen = [e for e in reader.events if e[0] == "object:state-changed:focused"]
    check(not stolen, "focus events while the selection moved: %s" % stolen)

    # Windows (Wine) rows say so.
    key("Next")
    classic = reader.wait_for_event(lambda e: e[0].endswith("accessible-description")
                                    and e[4] == "Notepad, Windows application, 4 of 4")
    check(classic, "the Classic row was not announced as a Windows application: %s" % reader.events)

    preferences_by_keyboard(reader, app)

    # Back in the field, Return launches the selected application.
    check(wait_until(lambda: active_window_name() == "Trovia"
                     and reader.has_state(field, "STATE_FOCUSED"), 10.0, reader.pump),
          "closing the Preferences did not give the focus back to the search field")
    key("Return")
    check(wait_until(lambda: home.launches() == ["notepad"], 10.0),
          "Return did not launch the selected application: %s" % home.launches())


def preferences_by_keyboard(reader, app):
    key("ctrl+comma")
    dialog = reader.find(app, ["ROLE_DIALOG", "ROLE_FRAME"], "Trovia Preferences")
    if not check(dialog, "Ctrl+, opened no window named 'Trovia Preferences'"):
        return
    controls = [node for node in reader.descendants(dialog)
                if reader.has_state(node, "STATE_FOCUSABLE")
                and reader.has_state(node, "STATE_SENSITIVE")
                and reader.has_state(node, "STATE_SHOWING")
                and node.getRole() not in (reader.pyatspi.ROLE_TABLE_CELL,
                                           reader.pyatspi.ROLE_LIST_ITEM,
                                           reader.pyatspi.ROLE_TABLE_COLUMN_HEADER)]
    unnamed = [node.getRoleName() for node in controls if not node.name]
    check(controls and not unnamed, "Preferences controls without a name: %s" % unnamed)

    # Tab reaches every control; the hot key field is left with Ctrl+Tab without recording.
    del reader.events[:]
    focused = []
    for _ in range(3 * len(controls)):
        wait_until(lambda: any(e[0] == "object:state-changed:focused" and e[3] == 1
                               for e in reader.events), 2.0, reader.pump)
        names = [e[1] for e in reader.events if e[0] == "object:state-changed:focused" and e[3] == 1]
        del reader.events[:]
        current = names[-1] if names else None
        focused.append(current)
        key("ctrl+Tab" if current == "Hot key" else "Tab")
    reached = set(focused)
    radios = {node.name for node in controls if node.getRole() == reader.pyatspi.ROLE_RADIO_BUTTON}
    missed = [node.name for node in controls
              if node.name not in reached and node.name not in radios]
    check(not missed, "Tab never reached %s (focus went %s)" % (missed, focused))
    check(reached & radios, "Tab never reached the style buttons (focus went %s)" % focused)
    key("Escape")
    check(wait_until(lambda: not reader.has_state(dialog, "STATE_SHOWING"), 10.0, reader.pump),
          "Escape did not close the Preferences")


def german(reader, trovia, home):
    app = reader.application(trovia.pid)
    if not app:
        fatal("Trovia is not on the accessibility bus")
    field = reader.find(app, ["ROLE_ENTRY", "ROLE_TEXT"], "Anwendungen suchen")
    if not field:
        fatal("no entry named 'Anwendungen suchen'")
    type_text("rechner")
    heard = reader.wait_for_event(lambda e: e[0].endswith("accessible-description")
                                  and e[4] == "Gefundene Anwendungen: 1. Rechner, 1 von 1")
    check(heard, "the entry's German name was not found and announced: %s" % reader.events)

    # The window's context menu (a right click beside the field; the field's own menu is the
    # editing one): its items as the screen reader hears them while the keyboard walks them.
    del reader.events[:]
    subprocess.run(["xdotool", "getactivewindow", "mousemove", "--window", "%1", "20", "20",
                    "click", "3"], check=True)
    heard_items = []
    for _ in range(5):
        key("Down")
        item = reader.wait_for_event(lambda e: e[0] == "object:state-changed:focused" and e[3] == 1
                                     and e[2] == "menu item" and e[1] not in heard_items, 3.0)
        if item:
            heard_items.append(item[1])
    key("Escape")
    for expected in ("Im Dateimanager anzeigen", "Aus Trovia ausschließen", "Einstellungen …",
                     "Trovia beenden"):
        check(expected in heard_items, "the menu has no item %r: %s" % (expected, heard_items))


def main():
    mode = sys.argv[1] if len(sys.argv) > 1 else "english"
    home = Home()
    for entry_id, name in (("terminal", "Terminal"), ("tetris", "Tetris"),
                           ("texteditor", "Text Editor"), ("maps", "Maps")):
        home.add_entry(entry_id, name)
    home.add_entry("notepad", "Notepad", program="wine")
    home.add_entry("abacus", "Abacus", "Name[de]=Rechner\n")
    if mode == "german":
        home.env["LANG"] = "de_DE.UTF-8"

    processes = []
    try:
        start_accessibility_bus(processes)
        reader = ScreenReader()
        trovia = start_trovia(home, processes)
        (german if mode == "german" else english)(reader, trovia, home)
    finally:
        for process in reversed(processes):
            process.terminate()
            try:
                process.wait(5)
            except subprocess.TimeoutExpired:
                process.kill()
        home.remove()
    if failures:
        sys.exit(1)
    print("PASS", flush=True)


if __name__ == "__main__":
    main()
