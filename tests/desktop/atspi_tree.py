#!/usr/bin/python3
"""Reads the running game through the desktop's accessibility bus (AT-SPI).

  atspi_tree.py LANG OUT     the room's and the champions window's trees,
                             written to OUT; checks their names in LANG
                             (en or de) and ends the program by its buttons
  atspi_tree.py wayland OUT  the room's size and a dialog opened and closed,
                             then the program ended by its buttons

Everything is done as a screen reader would: the names of the controls are
read, buttons are pressed by their actions. Exit status 0 when all is found.
"""

import sys
import time

import pyatspi
from gi.repository import GLib

# The names each language must show: room, board, counter, clock, buttons.
EXPECTED = {
    "en": {
        "room": ["Board", "Moves: 0", "Seconds: 0", "Preview picture", "Start game",
                 "End game", "Toggle preview picture", "Select a picture...",
                 "Wallpaper...", "Slide", "Swap", "Options", "Show champions...",
                 "Help", "Deutsch", "English"],
        "cell": "Row 1, column 1: Piece 1, at home",
        "empty": "Empty place",
        "champions": ["Name", "Moves", "Time (s)", "Reset", "OK"],
        "yes": "Yes",
    },
    "de": {
        "room": ["Spielbrett", "Züge: 0", "Sekunden: 0", "Vorschaubild", "Spiel starten",
                 "Spiel beenden", "Vorschaubild anzeigen/ausblenden", "Bild auswählen...",
                 "Tapete...", "Schieben", "Tauschen", "Optionen", "Champions anzeigen...",
                 "Hilfe", "Deutsch", "English"],
        "cell": "Zeile 1, Spalte 1: Teil 1, an seinem Platz",
        "empty": "Leeres Feld",
        "champions": ["Name", "Züge", "Zeit (s)", "Löschen", "OK"],
        "yes": "Ja",
    },
}


def fail(text):
    print("FAILED: " + text, file=sys.stderr)
    sys.exit(1)


def wait_for(what, find, seconds=20.0, required=True):
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        found = find()
        if found:
            return found
        time.sleep(0.2)
    if required:
        fail("no " + what)
    return None


def pump():
    """Hands the events that came in to their listeners."""
    context = GLib.MainContext.default()
    while context.pending():
        context.iteration(False)


def the_game():
    desktop = pyatspi.Registry.getDesktop(0)
    for i in range(desktop.childCount):
        app = desktop.getChildAtIndex(i)
        if app is not None and app.name == "Tavoro":
            return app
    return None


def windows(app):
    return [app.getChildAtIndex(i) for i in range(app.childCount)]


def role_of(acc):
    return acc.getRoleName()


def showing(acc):
    # A window that closes while it is read (the start screen fading out)
    # comes back as nothing, or fails on the bus: it is not showing.
    if acc is None:
        return False
    try:
        return acc.getState().contains(pyatspi.STATE_SHOWING)
    except Exception:
        return False


def dump(acc, out, depth=0):
    """One line for each object: role, "name", [description]."""
    if depth > 0 and not showing(acc):
        return
    line = "  " * depth + role_of(acc) + ' "' + acc.name + '"'
    if acc.description:
        line += " [" + acc.description + "]"
    out.append(line)
    for i in range(acc.childCount):
        child = acc.getChildAtIndex(i)
        if child is not None:
            dump(child, out, depth + 1)


def names(acc, found=None):
    found = [] if found is None else found
    found.append(acc.name)
    for i in range(acc.childCount):
        child = acc.getChildAtIndex(i)
        if child is not None:
            names(child, found)
    return found


def find(acc, name, role=None):
    if acc.name.replace("&", "") == name and (role is None or role_of(acc) == role) and showing(acc):
        return acc
    for i in range(acc.childCount):
        child = acc.getChildAtIndex(i)
        if child is not None:
            hit = find(child, name, role)
            if hit:
                return hit
    return None


def press(acc):
    action = acc.queryAction()
    for i in range(action.nActions):
        if action.getName(i) in ("Press", "press", "click"):
            action.doAction(i)
            return
    action.doAction(0)


def has_table(acc):
    return any(role_of(acc.getChildAtIndex(i)) == "table" for i in range(acc.childCount))


def room_of(app):
    for w in windows(app):
        if showing(w) and has_table(w):
            return w
    return None


def new_window(app, known):
    for w in windows(app):
        if w not in known and showing(w):
            return w
    return None


def gone(seconds):
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        if the_game() is None:
            return True
        time.sleep(0.2)
    return False


def quit_by_buttons(app, room, end, yes):
    """End, answering Yes to each question (to give up a game, to quit),
    until the program has gone."""
    for _ in range(3):
        known = windows(app)
        press(find(room, end, "push button"))
        box = wait_for("question", lambda: new_window(app, known), 3, required=False)
        if box is None:
            continue  # a running game ended without a question
        press(wait_for("Yes button", lambda: find(box, yes, "push button")))
        if gone(3):
            return
    fail("the program did not end")


def tree(language, path):
    texts = EXPECTED[language]
    app = wait_for("program on the accessibility bus", the_game)
    room = wait_for("room", lambda: room_of(app))
    shown = names(room)
    missing = [n for n in texts["room"] if n not in shown]
    if missing:
        fail("room lacks " + ", ".join(missing))
    if texts["cell"] not in shown:
        fail("board lacks the cell " + texts["cell"])
    board = find(room, texts["room"][0], "table")
    if board is None or board.queryTable().nRows < 3:
        fail("the board is no table")
    out = ["== room =="]
    dump(room, out)

    known = windows(app)
    press(find(room, texts["room"][12], "push button"))
    champions = wait_for("champions window", lambda: new_window(app, known))
    shown = names(champions)
    missing = [n for n in texts["champions"] if n not in [s.replace("&", "") for s in shown]]
    if missing:
        fail("champions window lacks " + ", ".join(missing))
    out.append("== champions ==")
    dump(champions, out)
    press(find(champions, "OK", "push button"))
    wait_for("champions window closed", lambda: not showing(champions) or champions not in windows(app))

    # A move played without seeing the board: Start, then the piece beside
    # the empty place pressed; the cells tell of the exchange.
    press(find(room, texts["room"][4], "push button"))
    board = board.queryTable()
    size = board.nRows

    def empty_place():
        for k in range(size * size):
            if board.getAccessibleAt(k // size, k % size).name.endswith(texts["empty"]):
                return k + 1
        return None

    empty = wait_for("empty place", empty_place) - 1
    row, column = divmod(empty, size)
    neighbour = (row + 1 if row + 1 < size else row - 1) * size + column
    piece = board.getAccessibleAt(neighbour // size, neighbour % size)
    before = piece.name.split(": ", 1)[1]
    events = []
    listener = lambda e: events.append((e.type, role_of(e.source), e.source.name))
    pyatspi.Registry.registerEventListener(
        listener, "object:property-change:accessible-name",
        "object:property-change:accessible-description")
    press(piece)
    now_empty = board.getAccessibleAt(neighbour // size, neighbour % size)
    wait_for("moved piece", lambda: now_empty.name.endswith(texts["empty"]))
    moved = board.getAccessibleAt(row, column).name
    if not moved.split(": ", 1)[1].startswith(before.split(",")[0]):
        fail("the piece did not arrive: " + moved)

    # The reader heard of it: both cells' names changed, and the board's
    # description tells what moved.
    def heard():
        pump()
        kinds = {(str(t).split(":")[-1], r) for t, r, _ in events}
        return {("accessible-name", "table cell"), ("accessible-description", "table")} <= kinds
    wait_for("events of the move", heard, 5)
    pyatspi.Registry.deregisterEventListener(
        listener, "object:property-change:accessible-name",
        "object:property-change:accessible-description")
    out.append("== the board after Start and one move ==")
    dump(find(room, texts["room"][0], "table"), out)
    with open(path, "w", encoding="utf-8") as f:
        f.write("\n".join(out) + "\n")
    quit_by_buttons(app, room, texts["room"][5], texts["yes"])


def wayland(path):
    texts = EXPECTED["en"]
    app = wait_for("program on the accessibility bus", the_game)
    room = wait_for("room", lambda: room_of(app))
    extents = room.queryComponent().getExtents(pyatspi.WINDOW_COORDS)
    with open(path, "w", encoding="utf-8") as f:
        f.write("room %d x %d\n" % (extents.width, extents.height))
    # Maximized on the 1280 x 1024 screen: all of it but the compositor's
    # panel and the window's frame (un-maximized it would take 1024 x 819).
    if not (1200 <= extents.width <= 1280 and 900 <= extents.height <= 1024):
        fail("the room is %d x %d, not maximized" % (extents.width, extents.height))
    # The start screen stands over the room for a while and then goes; what it
    # does then must not warn either.
    time.sleep(2.5)
    known = windows(app)
    press(find(room, "Wallpaper...", "push button"))
    dialog = wait_for("wallpaper window", lambda: new_window(app, known))
    with open(path, "a", encoding="utf-8") as f:
        f.write("dialog %s\n" % dialog.name)
    press(wait_for("OK button", lambda: find(dialog, "OK", "push button")))
    wait_for("wallpaper window closed", lambda: not showing(dialog) or dialog not in windows(app))
    quit_by_buttons(app, room, texts["room"][5], texts["yes"])


def main():
    if len(sys.argv) != 3:
        fail(__doc__)
    if sys.argv[1] == "wayland":
        wayland(sys.argv[2])
    else:
        tree(sys.argv[1], sys.argv[2])


if __name__ == "__main__":
    main()
