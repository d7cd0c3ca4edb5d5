#!/usr/bin/python3
"""Trovia as a screen reader's client library meets it: the real program on the test's X display,
the real AT-SPI accessibility bus, and pyatspi as the client. Real key presses come from xdotool.
What the screen reader then speaks is tested in tst_e2e_screenreader.py; this test keeps what the
speech does not show.

  tst_e2e_accessibility.py english   the list's name, its selected row, the focus staying in the
                                     field while the selection moves, the Preferences' names
  tst_e2e_accessibility.py german    LANG=de_DE.UTF-8: the German menu and an entry's Name[de]
"""
import subprocess
import sys

from a11y_harness import (Home, ScreenReader, check, fatal, finish, key, start_accessibility_bus,
                          start_trovia, type_text, wait_until)


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
    table = reader.find(app, ["ROLE_TABLE"], "Matching applications")
    if not table:
        fatal("no table named 'Matching applications'")
    first = wait_until(lambda: selected_name(table), 10.0, reader.pump)

    del reader.events[:]
    key("Down")
    check(wait_until(lambda: selected_name(table) not in (None, first), 10.0, reader.pump),
          "Down did not move the selection")
    second = selected_name(table)
    check(reader.wait_for_event(lambda e: e[0] == "object:state-changed:selected" and e[3] == 1
                                and e[1] == second),
          "the list did not say that %r is selected: %s" % (second, reader.events))
    # The focus, for the screen reader too, stays in the field.
    check(reader.has_state(field, "STATE_FOCUSED"), "the search field lost the focus")
    stolen = [e for e in reader.events if e[0] == "object:state-changed:focused"]
    check(not stolen, "focus events while the selection moved: %s" % stolen)

    # Every control of the Preferences has a name, also those the labels beside them name.
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
    key("Escape")
    check(wait_until(lambda: not reader.has_state(dialog, "STATE_SHOWING"), 10.0, reader.pump),
          "Escape did not close the Preferences")


def selected_name(table):
    rows = table.queryTable().getSelectedRows()
    return table.queryTable().getAccessibleAt(rows[0], 1).name if len(rows) == 1 else None


def german(reader, trovia, home):
    app = reader.application(trovia.pid)
    if not app:
        fatal("Trovia is not on the accessibility bus")
    field = reader.find(app, ["ROLE_ENTRY", "ROLE_TEXT"], "Anwendungen suchen")
    if not field:
        fatal("no entry named 'Anwendungen suchen'")
    type_text("rechner")
    table = reader.find(app, ["ROLE_TABLE"], "Passende Anwendungen")
    check(table and wait_until(lambda: selected_name(table) == "Rechner", 10.0, reader.pump),
          "the entry's German name was not found")

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
        finish(processes, home)


if __name__ == "__main__":
    main()
