# SPDX-License-Identifier: GPL-3.0-or-later
"""Reads the running Zensulino window over AT-SPI, as a screen reader does, prints the tree and
checks the name, role, label and description of every object in it; then presses F1 and reads
the handbook in the help window."""
import subprocess
import sys
import time

import pyatspi

LABELS = ["Der Zensurator", "Rohpunkte", "=", " %", "erreichte Rohpunktzahl",
          "Noten- schlüssel", "Ergebnis in Prozent", "Ergebnis Note"]
# Where a control has no description of its own, Qt gives its tooltip, which ends in the way to
# the menu.
MENU = "Rechtsklick oder F10: Menü · F1: Hilfe"
# role, name, labelled by, description. On Linux Qt names a combo box by its text, as GTK does;
# a screen reader takes the caption from the labelled-by relation and meets the text part by name.
INPUTS = [
    ("text", "Rohpunkte", "Rohpunkte",
     "Höchstpunktzahl, auch als Summe der Aufgaben wie 10+8+12+6"),
    ("text", "erreichte Rohpunktzahl", "erreichte Rohpunktzahl",
     "erreichte Punkte, auch als Summe der Aufgaben wie 8+5+12+3"),
    ("text", "Ergebnis in Prozent", "Ergebnis in Prozent", "Ergebnis der Berechnung"),
    ("text", "Prozent", " %",
     "Muss eine Zahl sein; gerechnet wird stets mit 100 % der Höchstpunktzahl.\n" + MENU),
    ("combo box", "GYM", "Noten- schlüssel",
     "GYM (0 bis 15 Punkte), IHK (Noten 1 bis 6) oder ein eigener Schlüssel: tippen oder aus der "
     "Liste wählen\n" + MENU),
    ("text", "Ergebnis Note", "Ergebnis Note", "Ergebnis der Berechnung"),
    ("push button", "Berechnen", "",
     "Rechnet das Ergebnis aus und nimmt es in den Noten-Speicher auf (auch mit Enter)\n" + MENU),
]


def find_window(timeout=20.0):
    end = time.monotonic() + timeout
    while time.monotonic() < end:
        for app in pyatspi.Registry.getDesktop(0):
            if app is not None and app.name == "Zensulino" and app.childCount > 0:
                return app[0]
        time.sleep(0.2)
    sys.exit("FAIL: no application 'Zensulino' on the accessibility bus")


def labelled_by(obj):
    for relation in obj.getRelationSet():
        if relation.getRelationType() == pyatspi.RELATION_LABELLED_BY:
            return relation.getTarget(0).name
    return ""


def read_help(app, timeout=10.0):
    """The text a screen reader reads in the help window that F1 opens."""
    subprocess.run(["xdotool", "search", "--name", "^Zensulino$", "windowfocus", "--sync",
                    "key", "F1"], check=True)
    end = time.monotonic() + timeout
    while time.monotonic() < end:
        for frame in app:
            if frame is not None and frame.name == "Zensulino – Hilfe":
                handbook = pyatspi.findDescendant(frame, lambda o: o.name == "Handbuch")
                if handbook is not None:
                    return handbook.queryText().getText(0, -1)
        time.sleep(0.2)
    return ""


def main():
    window = find_window()
    app = window.getApplication()
    failures = []
    print(f"{window.getRoleName()} {window.name!r}")
    if (window.getRoleName(), window.name) != ("frame", "Zensulino"):
        failures.append("the window is not the frame 'Zensulino'")

    seen_labels, seen_inputs = [], []
    for child in window:
        role, name = child.getRoleName(), child.name
        by, description = labelled_by(child), child.description
        print(f"  {role} {name!r}" + (f" labelled-by {by!r}" if by else "")
              + (f" description {description!r}" if description else ""))
        if role == "combo box":
            for part in child:
                print(f"    {part.getRoleName()} {part.name!r}")
                if part.getRoleName() == "text" and part.name != "Notenschlüssel":
                    failures.append(f"the key field's text part is announced as {part.name!r}")
        if role == "label":
            seen_labels.append(name)
        else:
            seen_inputs.append((role, name, by, description))

    if sorted(seen_labels) != sorted(LABELS):
        failures.append(f"labels {seen_labels} instead of {LABELS}")
    if seen_inputs != INPUTS:
        failures.append(f"inputs {seen_inputs} instead of {INPUTS}")
    handbook = read_help(app)
    print(f"help: {handbook[:60]!r}…")
    if "Erste Schritte" not in handbook or "genehmigung=" not in handbook:
        failures.append("the help window's handbook is not read out")
    for failure in failures:
        print("FAIL:", failure)
    print(f"{len(INPUTS) + len(LABELS) + 2 - len(failures)} passed, {len(failures)} failed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
