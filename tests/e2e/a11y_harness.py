"""What the end-to-end tests of Trovia with a screen reader share: an isolated user, the
accessibility bus, key presses through xdotool, the real program, and pyatspi as a client.
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
    check(False, message)
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
        self.log = os.path.join(self.root, "trovia.log")
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
    with open(home.log, "w") as log:
        trovia = subprocess.Popen([TROVIA], env=home.env, stdout=log, stderr=log)
    processes.append(trovia)
    if not wait_until(lambda: active_window_name() == "Trovia", 20.0):
        fatal("Trovia's window never became active")
    return trovia


def finish(processes, home):
    """Stops what the test started, newest first, shows Trovia's output when something failed,
    removes the home and exits with the test's outcome."""
    for process in reversed(processes):
        process.terminate()
        try:
            process.wait(5)
        except subprocess.TimeoutExpired:
            process.kill()
    if failures and os.path.exists(home.log):
        with open(home.log) as log:
            print("Trovia's output:\n" + log.read(), flush=True)
    home.remove()
    if failures:
        sys.exit(1)
    print("PASS", flush=True)
