#!/usr/bin/python3
"""Trovia with the real screen reader: Orca runs headless (speech-dispatcher's dummy output, no
sound device), Trovia on the test's X display, and the test reads what Orca speaks from the
"SPEECH OUTPUT" lines of Orca's debug log after each step. It looks for Trovia's words (names,
counts, positions), not Orca's own, which differ between Orca's versions.

  tst_e2e_screenreader.py english   the field, the count, the selection, no match, the
                                    Preferences by Tab, Return launches
  tst_e2e_screenreader.py german    the same under LANG=de_DE.UTF-8
"""
import os
import re
import subprocess
import sys

from a11y_harness import (Home, check, fatal, finish, key, start_accessibility_bus, start_trovia,
                          type_text, wait_until)

WORDS = {
    "english": {
        "field": "Search applications",
        "found": r"Applications found: (\d+)\. (.+), 1 of \1",
        "row": "%s, %d of %d",
        "classic": "Notepad, Windows application, %d of %d",
        "none": "No application found",
        "preferences": "Trovia Preferences",
        "color": ("Color:", "Medium Gray"),
        # Each control as Tab reaches it, by its label; the hot key field comes first.
        "controls": ["Key:", "Super", "Shift", "Alt", "Ctrl", "Shiny", "Color:",
                     ("Result list:", "Result list height"),
                     "Leave out Windows (Wine) applications",
                     "Also find applications by keyword, kind and command",
                     "Applications and folders left out",
                     "Add...", "Open Trovia at login", "Close"],
    },
    "german": {
        "field": "Anwendungen suchen",
        "found": r"Gefundene Anwendungen: (\d+)\. (.+), 1 von \1",
        "row": "%s, %d von %d",
        "classic": "Notepad, Windows-Anwendung, %d von %d",
        "none": "Keine Anwendung gefunden",
        "preferences": "Trovia-Einstellungen",
        "color": ("Farbe:", "Mittelgrau"),
        "controls": ["Taste:", "Super", "Umschalt", "Alt", "Strg", "Glänzend", "Farbe:",
                     ("Ergebnisliste:", "Höhe der Ergebnisliste"), "Windows-Anwendungen (Wine) weglassen",
                     "Auch nach Stichwort, Art und Befehl finden",
                     "Weggelassene Anwendungen und Ordner", "Hinzufügen …",
                     "Trovia beim Anmelden öffnen", "Schließen"],
    },
}


# Orca itself, with its debug log written line by line: the test reads it while Orca runs.
LINE_BUFFERED_ORCA = """
import builtins, runpy, sys
log = sys.argv[1]
real_open = builtins.open
def open_line_buffered(file, mode="r", buffering=-1, *args, **kwargs):
    if file == log and "w" in mode:
        buffering = 1
    return real_open(file, mode, buffering, *args, **kwargs)
builtins.open = open_line_buffered
sys.argv = ["orca", "--debug-file=" + log] + sys.argv[2:]
runpy.run_path("/usr/bin/orca", run_name="__main__")
"""


class Orca:
    """The screen reader, its speech server on the dummy output, and what it has spoken."""

    # The words, then the voice: a flat dict in Orca 43, one with the voice family nested in it
    # in Orca 48.
    SPOKEN = re.compile(r"SPEECH OUTPUT: '(.*)'(?: ?\{.*\})?\s*$")

    def __init__(self, home, processes):
        self.log = os.path.join(home.root, "orca-debug.log")
        self.output = os.path.join(home.root, "orca.out")
        config = os.path.join(home.env["XDG_CONFIG_HOME"], "speech-dispatcher")
        os.makedirs(config)
        with open(os.path.join(config, "speechd.conf"), "w") as conf:
            conf.write('AddModule "dummy" "sd_dummy" ""\nDefaultModule dummy\n'
                       'AudioOutputMethod "libao"\n')
        # Orca reads its own settings' schemas from the system; Trovia's fixtures stay its own.
        env = dict(home.env, XDG_DATA_DIRS="/usr/local/share:/usr/share")
        env.pop("QT_LINUX_ACCESSIBILITY_ALWAYS_ON", None)
        with open(self.output, "w") as out:
            self.process = subprocess.Popen(
                ["/usr/bin/python3", "-c", LINE_BUFFERED_ORCA, self.log, "--disable=braille,key-echo",
                 "--user-prefs=" + os.path.join(home.root, "orca")],
                env=env, stdout=out, stderr=out)
        processes.append(self.process)
        self.heard = 0
        # Orca greets once its speech works and it listens to the desktop.
        wait_until(lambda: self.spoken() or self.process.poll() is not None, 60.0)
        if not self.spoken():
            try:
                with open(self.log, errors="replace") as log:
                    debug = log.read()[-3000:]
            except FileNotFoundError:
                debug = "(no debug log)"
            with open(self.output) as out:
                fatal("Orca did not start speaking (%s; no SPEECH OUTPUT in its debug log):\n"
                      "%s\n%s" % ("running" if self.process.poll() is None
                                   else "exit status %s" % self.process.returncode,
                                   out.read()[-3000:], debug))

    def spoken(self):
        try:
            with open(self.log, errors="replace") as log:
                return [m.group(1) for m in map(self.SPOKEN.search, log) if m]
        except FileNotFoundError:
            return []

    def wait_for(self, matches, timeout=15.0):
        """The first line spoken since the last wait that matches; the lines before it count as
        heard."""
        def found():
            lines = self.spoken()
            for index in range(self.heard, len(lines)):
                result = matches(lines[index])
                if result:
                    self.heard = index + 1
                    return result
            return None
        return wait_until(found, timeout)

    def wait_for_text(self, text, timeout=15.0):
        return self.wait_for(lambda line: line if text in line else None, timeout)

    def since(self, start):
        return self.spoken()[start:]


def scenario(orca, home, words):
    lines_at_start = len(orca.spoken())
    check(orca.wait_for_text(words["field"], 30.0),
          "Orca did not speak the field %r when Trovia came up: %s"
          % (words["field"], orca.since(lines_at_start)))

    # The count, and the first row that Return would open.
    mark = len(orca.spoken())
    type_text("t")
    found = orca.wait_for(lambda line: re.search(words["found"], line))
    if not check(found, "Orca did not speak the number of matches: %s" % orca.since(mark)):
        return
    count, first = int(found.group(1)), found.group(2)
    check(count == 4, "Orca spoke %d matches for 't', not 4: %s" % (count, found.group(0)))

    # Down: the next row's name and place.
    mark = len(orca.spoken())
    key("Down")
    second = orca.wait_for(lambda line: re.search(
        re.escape(words["row"] % ("@", 2, count)).replace("@", "(.+)"), line))
    check(second and second.group(1) not in (first, ""),
          "after Down Orca did not speak the second row and its place: %s" % orca.since(mark))

    # Page Down: the last row, a Windows application, says so.
    mark = len(orca.spoken())
    key("Next")
    check(orca.wait_for_text(words["classic"] % (count, count)),
          "after Page Down Orca did not speak %r: %s"
          % (words["classic"] % (count, count), orca.since(mark)))

    # No match.
    mark = len(orca.spoken())
    type_text("qq")
    check(orca.wait_for_text(words["none"]),
          "Orca did not speak %r for a query without a match: %s"
          % (words["none"], orca.since(mark)))

    # Back to the matches; Return opens the row spoken first.
    mark = len(orca.spoken())
    key("BackSpace", "BackSpace")
    check(orca.wait_for(lambda line: re.search(words["found"], line)),
          "Orca did not speak the matches again: %s" % orca.since(mark))
    if words["controls"]:
        preferences(orca, words)
    key("Return")
    expected = {"Terminal": "terminal", "Tetris": "tetris", "Text Editor": "texteditor",
                "Notepad": "notepad"}.get(first)
    check(wait_until(lambda: home.launches() == [expected], 10.0),
          "Return did not launch %r, the row Orca spoke first: %s" % (first, home.launches()))


def preferences(orca, words):
    """Ctrl+, then Tab through every control: Orca speaks each one's label, and its state, as Tab
    reaches it. The hot key field records Tab, so it is left with Ctrl+Tab."""
    mark = len(orca.spoken())
    key("ctrl+comma")
    check(orca.wait_for_text(words["preferences"]),
          "Orca did not speak the Preferences window: %s" % orca.since(mark))
    heard = {}
    previous = None
    for control in words["controls"]:
        # A control is named by its label, or by its own accessible name where Orca speaks that
        # alone (Orca 48 leaves out the label of a spin box with a name of its own).
        names = control if isinstance(control, tuple) else (control,)
        label = names[0]
        before = len(orca.spoken())
        key("ctrl+Tab" if previous == words["controls"][0] else "Tab")
        # Orca 48 on Qt 6.8 speaks a buddy label's mnemonic marker ("C&olor:"); it is compared
        # without it.
        line = orca.wait_for(lambda spoken: next(
            (spoken.replace("&", "") for name in names if name in spoken.replace("&", "")), None),
            10.0)
        if not check(line, "Tab reached no control Orca named %r: %s"
                     % (names, orca.since(before))):
            break
        heard[label] = line.replace(label, "", 1)
        previous = label
        # The colour menu shows swatches: the colour it shows is spoken by name.
        if label == words["color"][0]:
            check(words["color"][1] in line or orca.wait_for_text(words["color"][1], 10.0),
                  "Orca did not name the window colour %r: %s"
                  % (words["color"][1], orca.since(before)))
    # The Alt modifier of the default hot key is checked, Super is not: the two are heard apart.
    super_key, alt = words["controls"][1], words["controls"][3]
    check(heard.get(super_key) is None or heard.get(super_key) != heard.get(alt),
          "Orca spoke the same state for %r and %r: %r" % (super_key, alt, heard))
    key("Escape")
    check(orca.wait_for_text(words["field"]),
          "closing the Preferences did not bring Orca back to the field: %s" % orca.since(mark))


def main():
    mode = sys.argv[1] if len(sys.argv) > 1 else "english"
    words = WORDS[mode]
    home = Home()
    for entry_id, name in (("terminal", "Terminal"), ("tetris", "Tetris"),
                           ("texteditor", "Text Editor"), ("maps", "Maps")):
        home.add_entry(entry_id, name)
    home.add_entry("notepad", "Notepad", program="wine")
    if mode == "german":
        home.env["LANG"] = "de_DE.UTF-8"

    processes = []
    orca = None
    try:
        start_accessibility_bus(processes)
        orca = Orca(home, processes)
        start_trovia(home, processes)
        scenario(orca, home, words)
        print("Orca spoke:\n  " + "\n  ".join(orca.spoken()), flush=True)
    finally:
        finish(processes, home)


if __name__ == "__main__":
    main()
