#!/usr/bin/python3
"""Corvella as a screen reader sees it.

Starts Corvella on a virtual screen (Xvfb, with openbox as the window
manager) on a database made for the run, with the accessibility bus of a
private D-Bus session, and drives it with the keyboard (xdotool) as a user
would: every window and dialog is opened in turn and read over AT-SPI, the
way an assistive-technology client reads it. In each window:

  * every control a user can reach (focusable, or a button, box or menu
    item) has a name, and a role that says what it is;
  * no two controls of a window share a name (menu items count per menu:
    a menu item may share its name with the toolbar button of the command);
  * the tool tips the window gives arrive as descriptions;

and the record position ("Record: 2 of 3") and the status line say when
they change: the events a screen reader listens for arrive, from an object
that tells what it is.

Run with the system's python3 (pyatspi is a Debian package):
    /usr/bin/python3 tests/a11y/check_atspi.py build/bin/corvella [--verbose]
It needs Xvfb, openbox, xdotool, dbus-run-session, at-spi2-core and
python3-pyatspi. It ends with "N passed, N failed" and exits non-zero on a
failure.
"""

import os
import shutil
import signal
import sqlite3
import subprocess
import sys
import tempfile
import time

VERBOSE = "--verbose" in sys.argv
STARTED = time.time()
ARGS = [a for a in sys.argv[1:] if not a.startswith("--")]

if os.environ.get("CORVELLA_A11Y_SESSION") != "1":
    # A session bus of our own: the accessibility bus it starts, and
    # everything on it, end with the run.
    if not shutil.which("dbus-run-session"):
        sys.exit("check_atspi: dbus-run-session is missing (package dbus)")
    os.environ["CORVELLA_A11Y_SESSION"] = "1"
    os.execvp("dbus-run-session",
              ["dbus-run-session", "--", sys.executable, os.path.abspath(__file__)] + sys.argv[1:])

import pyatspi  # noqa: E402  (after the session bus exists)
from gi.repository import GLib  # noqa: E402

# --- what counts ---------------------------------------------------------------

R = pyatspi
# Roles a user acts on: these are checked when shown, focusable or not (the
# toolbar's buttons take no focus, yet a screen reader offers them).
ACTION_ROLES = {
    R.ROLE_PUSH_BUTTON, R.ROLE_TOGGLE_BUTTON, R.ROLE_CHECK_BOX, R.ROLE_RADIO_BUTTON,
    R.ROLE_COMBO_BOX, R.ROLE_SPIN_BUTTON, R.ROLE_SLIDER, R.ROLE_PAGE_TAB, R.ROLE_LINK,
}
MENU_ROLES = {R.ROLE_MENU_ITEM, R.ROLE_CHECK_MENU_ITEM, R.ROLE_RADIO_MENU_ITEM, R.ROLE_MENU}
# Roles that say nothing of what a focusable control is.
VAGUE_ROLES = {R.ROLE_UNKNOWN, R.ROLE_INVALID, R.ROLE_FILLER, R.ROLE_PANEL, R.ROLE_REDUNDANT_OBJECT,
               R.ROLE_EXTENDED}
# Views whose items are the content they show, not controls: the view is
# the control, and its items are read through it.
VIEW_ROLES = {R.ROLE_LIST, R.ROLE_LIST_BOX, R.ROLE_TABLE, R.ROLE_TREE, R.ROLE_TREE_TABLE}
WINDOW_ROLES = {R.ROLE_FRAME, R.ROLE_DIALOG, R.ROLE_WINDOW, R.ROLE_ALERT, R.ROLE_INTERNAL_FRAME,
                R.ROLE_FILE_CHOOSER}

results = {"passed": 0, "failed": 0}
EVENTS = None  # the listeners, once the program runs
failures = []


def check(ok, what):
    if ok:
        results["passed"] += 1
        if VERBOSE:
            print("  ok   " + what)
    else:
        results["failed"] += 1
        failures.append(what)
        print("  FAIL " + what)
    return ok


def pump(seconds):
    """Runs the event loop for `seconds`, so events reach the listeners."""
    ctx = GLib.MainContext.default()
    end = time.time() + seconds
    while time.time() < end:
        while ctx.pending():
            ctx.iteration(False)
        time.sleep(0.02)


def states(o):
    try:
        return set(o.getState().getStates())
    except Exception:
        return set()


def children(o):
    try:
        n = o.childCount
    except Exception:
        return []
    out = []
    for i in range(n):
        try:
            c = o.getChildAtIndex(i)
        except Exception:
            c = None
        if c is not None:
            out.append(c)
    return out


def role_name(o):
    try:
        return o.getRoleName()
    except Exception:
        return "?"


def describe(o):
    return "%s %r" % (role_name(o), o.name)


def controls(scope):
    """The controls of a window: what a user reaches in it, not descending
    into windows inside it (the main window's child windows are windows of
    their own). Each comes with the group it is unique in: None for the
    window, the menu that holds a menu item."""
    found = []

    def walk(o, menu):
        for c in children(o):
            try:
                role = c.getRole()
            except Exception:
                continue
            if role in WINDOW_ROLES:
                continue
            st = states(c)
            if role in MENU_ROLES:
                # Reachable whether or not the menu is open now.
                if role != R.ROLE_MENU:
                    found.append((c, menu))
                walk(c, c.name or menu)
                continue
            if role == R.ROLE_POPUP_MENU:
                walk(c, menu)
                continue
            showing = R.STATE_SHOWING in st
            if showing and (R.STATE_FOCUSABLE in st or role in ACTION_ROLES):
                found.append((c, menu))
            if showing and role == R.ROLE_COMBO_BOX:
                # The line an editable combo box types into is the same
                # control: it needs a name, but may share the box's.
                walk(c, "combo box %r" % spoken_name(c))
            elif showing and role not in VIEW_ROLES:
                walk(c, menu)

    walk(scope, None)
    return found


def texts(scope):
    """Every text a screen reader can read out in a window: names,
    descriptions and the contents of text objects."""
    out = []

    def walk(o):
        for c in children(o):
            out.extend([c.name or "", c.description or ""])
            try:
                t = c.queryText()
                out.append(t.getText(0, t.characterCount))
            except Exception:
                pass
            walk(c)

    out.extend([scope.name or "", scope.description or ""])
    walk(scope)
    return [t for t in out if t]


def labels(o):
    """The names of the labels that label `o` (a box's buddy label)."""
    out = []
    try:
        for rel in o.getRelationSet():
            if rel.getRelationType() == R.RELATION_LABELLED_BY:
                for i in range(rel.getNTargets()):
                    out.append(rel.getTarget(i).name or "")
    except Exception:
        pass
    return [t for t in out if t]


def spoken_name(o):
    """What a screen reader calls a control. A combo box's name is the item
    it shows (so its name changes as the user picks); what it is for comes
    from its label, or failing that its description."""
    if o.getRole() == R.ROLE_COMBO_BOX:
        found = labels(o)
        return found[0] if found else (o.description or "")
    return o.name or ""


def check_window(scope, label, expect=None, min_controls=1):
    """Names, roles, uniqueness and the given descriptions in one window.
    `expect` maps a control's name to the description it must have."""
    found = controls(scope)
    named = [c for c, _ in found if spoken_name(c).strip()]
    print("%s: %d controls, %d named%s" % (label, len(found), len(named),
                                           " (at %.1f s)" % (time.time() - STARTED)
                                           if VERBOSE else ""))
    check(len(found) >= min_controls, "%s: has its controls (%d)" % (label, len(found)))
    seen = {}
    for c, menu in found:
        name = spoken_name(c).strip()
        if not check(bool(name), "%s: %s has a name, or a label (%r; description %r)" %
                     (label, describe(c), name, c.description)):
            continue
        check(c.getRole() not in VAGUE_ROLES, "%s: %s has a telling role" % (label, describe(c)))
        key = (menu, name.replace("&", "").lower())
        if key in seen:
            check(False, "%s: %s and %s share the name" % (label, describe(seen[key]), describe(c)))
        else:
            seen[key] = c
    for name, description in (expect or {}).items():
        match = [c for c, menu in found if menu is None and spoken_name(c) == name]
        if check(len(match) == 1, "%s: one control named %r" % (label, name)):
            check(match[0].description == description,
                  "%s: %r has the description %r (it has %r)" % (label, name, description,
                                                                match[0].description))
    return found


# --- the program and its screen ---------------------------------------------------

class Run:
    def __init__(self, program):
        self.program = os.path.abspath(program)
        self.tmp = tempfile.mkdtemp(prefix="corvella-a11y-")
        self.procs = []

    def start_display(self):
        r, w = os.pipe()
        xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(w), "-screen", "0", "1366x768x24",
                                 "-nolisten", "tcp"], pass_fds=(w,), stderr=subprocess.DEVNULL)
        self.procs.append(xvfb)
        os.close(w)
        number = b""
        while not number.endswith(b"\n"):
            chunk = os.read(r, 16)
            if not chunk:
                sys.exit("check_atspi: Xvfb did not start")
            number += chunk
        os.close(r)
        os.environ["DISPLAY"] = ":" + number.decode().strip()
        # A window manager gives the keyboard to the window that comes up,
        # as a desktop does.
        self.procs.append(subprocess.Popen(["openbox", "--sm-disable"], stdout=subprocess.DEVNULL,
                                           stderr=subprocess.DEVNULL))
        time.sleep(0.5)

    def make_database(self):
        """A database as a keeper has it: the reference content, one tank
        (the default) with three journal entries and two fish."""
        db = os.path.join(self.tmp, "CORVELLA.CVL")
        mkdb = os.path.join(os.path.dirname(self.program), "corvella-mkdb")
        subprocess.check_call([mkdb, db], stdout=subprocess.DEVNULL)
        con = sqlite3.connect(db)
        con.execute("INSERT INTO Tank (ID, TankName, TankType, TankShape, UnitMeasure, TankLength,"
                    " TankWidth, TankHeight, DateEstablished) VALUES (1, 'Reef 90', 'Marine',"
                    " 'Rectangle', 'Inches', 36, 18, 20, '2021-03-14')")
        for day, nitrate in (("2024-01-05", 5), ("2024-02-05", 10), ("2024-03-05", 20)):
            con.execute("INSERT INTO Journal (TankID, EntryDate, PH, Nitrate) VALUES (1, ?, 8.1, ?)",
                        (day, nitrate))
        for name in ("Clownfish", "Royal Gramma"):
            con.execute("INSERT INTO LiveStock (TankID, CommonName) VALUES (1, ?)", (name,))
        con.commit()
        con.close()
        config = os.path.join(self.tmp, "config", "Corvella")
        os.makedirs(config)
        with open(os.path.join(config, "Corvella.ini"), "w") as f:
            f.write("[Database]\nFilename=%s\n[DefaultTank]\nTankID=1\nTankName=Reef 90\n" % db)
        return db

    def start_program(self):
        runtime = os.path.join(self.tmp, "runtime")
        os.makedirs(runtime, 0o700)
        env = dict(os.environ, XDG_CONFIG_HOME=os.path.join(self.tmp, "config"),
                   XDG_DATA_HOME=os.path.join(self.tmp, "data"), HOME=self.tmp,
                   XDG_RUNTIME_DIR=runtime, QT_QPA_PLATFORM="xcb",
                   QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", LANG="en_US.UTF-8",
                   QT_LOGGING_RULES="qt.qpa.*=false;qt.accessibility.*=false")
        env.pop("QT_SCALE_FACTOR", None)
        env.pop("CORVELLA_COLOR_SCHEME", None)
        self.corvella = subprocess.Popen([self.program], env=env, cwd=self.tmp)
        self.procs.append(self.corvella)
        self.app = wait_for(self.find_app, 60, "Corvella on the accessibility bus")

    def find_app(self):
        desktop = pyatspi.Registry.getDesktop(0)
        for a in children(desktop):
            try:
                if a.get_process_id() == self.corvella.pid and a.childCount:
                    return a
            except Exception:
                pass
        return None

    def stop(self):
        for p in reversed(self.procs):
            if p.poll() is None:
                p.send_signal(signal.SIGTERM)
                try:
                    p.wait(5)
                except subprocess.TimeoutExpired:
                    p.kill()
                    p.wait()
        shutil.rmtree(self.tmp, ignore_errors=True)


def wait_for(probe, seconds, what):
    end = time.time() + seconds
    while time.time() < end:
        found = probe()
        if found:
            return found
        pump(0.1)
    raise TimeoutError("waited %d s for %s" % (seconds, what))


def keys(*names):
    """Keys as a user presses them, to whichever window has the keyboard."""
    for name in names:
        subprocess.check_call(["xdotool", "key", name])
        pump(0.1)


def open_menu(app, letter):
    """Opens a menu of the main window's menu bar with Alt and its letter,
    and waits until it is up (the first keys after start-up may come before
    the window manager has given the window the keyboard: then again)."""
    def menu_up():
        frame = main_frame(app)
        for bar in children(frame) if frame else []:
            if bar.getRole() != R.ROLE_MENU_BAR:
                continue
            for item in children(bar):
                for popup in children(item):
                    if R.STATE_SHOWING in states(popup):
                        return popup
        return None

    # Longer each time: a slow program (a sanitizer build) may just be late.
    for attempt, seconds in enumerate((1, 2, 4, 8)):
        if VERBOSE and attempt:
            print("  (menu alt+%s again, at %.1f s)" % (letter, time.time() - STARTED))
        keys("alt+" + letter)
        try:
            return wait_for(menu_up, seconds, "the menu")
        except TimeoutError:
            keys("Escape")
    raise TimeoutError("the menu of alt+%s did not open" % letter)


def menu(app, letter, *then):
    open_menu(app, letter)
    keys(*then)


def type_text(text):
    subprocess.check_call(["xdotool", "type", "--delay", "20", text])
    pump(0.1)


# --- finding windows ----------------------------------------------------------------

def top_windows(app):
    return [w for w in children(app) if R.STATE_SHOWING in states(w)]


def main_frame(app):
    for w in children(app):
        if w.getRole() == R.ROLE_FRAME and (w.name or "").startswith("Corvella"):
            return w
    return None


def child_windows(app):
    """The windows inside the main window (its MDI area)."""
    frame = main_frame(app)
    found = []

    def walk(o, depth):
        for c in children(o):
            if c.getRole() in WINDOW_ROLES:
                found.append(c)
            elif depth < 3:
                walk(c, depth + 1)

    if frame:
        walk(frame, 0)
    return found


def wait_child(app, title):
    def probe():
        for w in child_windows(app):
            if (w.name or "").startswith(title) and R.STATE_SHOWING in states(w):
                return w
        return None
    return wait_for(probe, 30, "the %r window" % title)


def wait_top(app, title=None, role=None, exclude=()):
    def probe():
        for w in top_windows(app):
            if w in exclude or w == main_frame(app):
                continue
            if (title is None or w.name == title) and (role is None or w.getRole() == role):
                return w
        return None
    return wait_for(probe, 30, "a window %r" % (title or role))


def wait_gone(app, window):
    def probe():
        return window not in top_windows(app)
    wait_for(probe, 30, "%s to close" % describe(window))


def focused(scope):
    """The object with the keyboard focus in `scope`."""
    def walk(o):
        for c in children(o):
            st = states(c)
            if R.STATE_FOCUSED in st and c.getRole() not in WINDOW_ROLES:
                return c
            if R.STATE_SHOWING in st:
                hit = walk(c)
                if hit:
                    return hit
        return None
    return walk(scope)


def tab_to(scope, name, back=False, limit=60):
    """Tabs through the window (backwards with `back`, to reach the last
    controls sooner) until the control named `name` has the focus,
    following the focus as a screen reader does, by its events. Each Tab
    waits for the focus to move, so a slow program is not run past the
    control."""
    current = focused(scope)
    if current is not None and current.name == name:
        return
    for _ in range(limit):
        moves = EVENTS.focus_moves
        keys("shift+Tab" if back else "Tab")
        try:
            wait_for(lambda: EVENTS.focus_moves > moves, 5, "the focus to move")
        except TimeoutError:
            pass
        if EVENTS.focus_name == name:
            return
    raise TimeoutError("Tab never reached %r" % name)


class Events:
    """The events a screen reader listens for when a text on screen changes."""
    KINDS = ("object:property-change:accessible-name", "object:text-changed:insert")

    def __init__(self):
        self.seen = []
        self.focus_moves = 0
        self.focus_name = None
        for kind in self.KINDS:
            pyatspi.Registry.registerEventListener(self.on_event, kind)
        pyatspi.Registry.registerEventListener(self.on_focus, "object:state-changed:focused")

    def on_focus(self, event):
        if event.detail1:
            try:
                self.focus_name = event.source.name
            except Exception:
                self.focus_name = None
            self.focus_moves += 1

    def on_event(self, event):
        try:
            self.seen.append((event.type, event.source.name, event.source.getRole(),
                              str(event.any_data)))
        except Exception:
            pass

    def clear(self):
        self.seen = []

    def wait(self, text, seconds=5):
        """The events whose object now reads `text`."""
        end = time.time() + seconds
        while time.time() < end:
            hits = [e for e in self.seen if e[1] == text or e[3] == text]
            if hits:
                pump(0.2)
                return [e for e in self.seen if e[1] == text or e[3] == text]
            pump(0.1)
        return []


def check_announced(events, text, what):
    hits = events.wait(text)
    if VERBOSE:
        print("  events for %r: %s" % (text, hits))
    check(any(e[0].startswith("object:property-change:accessible-name") for e in hits),
          "%s: a name-change event says %r" % (what, text))
    check(any(e[0].startswith("object:text-changed:insert") and e[3] == text for e in hits),
          "%s: a text-inserted event carries %r" % (what, text))
    check(bool(hits) and all(e[2] == R.ROLE_STATUS_BAR for e in hits),
          "%s: the object it comes from is a status bar (%s)" %
          (what, sorted({pyatspi.roleToString(e[2]) if hasattr(pyatspi, "roleToString")
                         else str(e[2]) for e in hits})))


# --- the walk through the program -----------------------------------------------------

def close_dialog(app, window, key="Escape"):
    keys(key)
    wait_gone(app, window)


def check_dialog(app, label, title=None, exclude=(), close="Escape"):
    """Checks the dialog that has come up (named by `title`, or the newest)
    and closes it with `close`."""
    dialog = wait_top(app, title, exclude=exclude)
    pump(0.2)
    check_window(dialog, label if title else "%s (%s)" % (label, dialog.name))
    close_dialog(app, dialog, close)


def open_record_window(app, letter, title, label, nav):
    """Opens a record window from the Options menu and checks it."""
    menu(app, "o", letter)
    window = wait_child(app, title)
    pump(0.2)
    check_window(window, label, dict(nav))
    return window


def run_checks(run):
    global EVENTS
    app = run.app
    events = EVENTS = Events()
    frame = wait_for(lambda: main_frame(app), 10, "the main window")
    # Keys go to the main window once the window manager has made it active.
    wait_for(lambda: R.STATE_ACTIVE in states(main_frame(app)), 10, "the main window active")
    pump(0.2)

    nav = {"First record": "First record (Ctrl+Home)",
           "Previous record": "Previous record (Page Up)",
           "Next record": "Next record (Page Down)",
           "Last record": "Last record (Ctrl+End)"}

    # The journal first: the default tank has three entries.
    events.clear()
    open_record_window(app, "j", "Journal", "Journal", nav)
    check_announced(events, "Browse the journal database.", "status line")
    events.clear()
    keys("Next")
    check_announced(events, "Record: 2 of 3", "record position")

    # Its search and print windows.
    keys("F3")
    search = wait_top(app, "Search")
    pump(0.2)
    check_window(search, "Search", {"Find Exact Text?": "For faster searches, use exact text."})
    close_dialog(app, search)

    menu(app, "e", "p")
    printing = wait_top(app, role=R.ROLE_DIALOG)
    pump(0.2)
    check_window(printing, "Print (%s)" % printing.name)
    keys("Return")  # print, with the preview
    preview = wait_top(app, exclude=(printing,))
    pump(1.0)
    check_window(preview, "Print preview (%s)" % preview.name)
    close_dialog(app, preview)

    menu(app, "f", "i")
    check_dialog(app, "Open file dialog")

    # A message box: a date the journal cannot take.
    journal = wait_child(app, "Journal")
    tab_to(journal, "Date:")
    keys("ctrl+a")
    type_text("13/45/2024")
    keys("Tab")
    box = wait_top(app, exclude=())
    pump(0.2)
    check_window(box, "Message box (%s)" % box.name)
    check(box.getRole() in (R.ROLE_ALERT, R.ROLE_DIALOG),
          "Message box: a dialog or an alert (%s)" % role_name(box))
    check(any("mm/dd/yyyy" in t for t in texts(box)),
          "Message box: its message can be read (%s)" % texts(box))
    close_dialog(app, box, "Return")
    keys("ctrl+z")

    open_record_window(app, "l", "Livestock", "Livestock", nav)

    diseases = open_record_window(app, "d", "Common Diseases", "Diseases", nav)
    tab_to(diseases, "Index")
    keys("space")
    check_dialog(app, "Index list")

    events.clear()
    open_record_window(app, "g", "Aquarist Glossary", "Glossary", nav)
    check_announced(events, "Browse the aquarist glossary database.", "status line")

    # The care log: its two record windows and its two dialogs.
    open_record_window(app, "m", "Maintenance", "Maintenance", nav)
    open_record_window(app, "a", "Tasks", "Tasks", nav)
    menu(app, "o", "w")
    check_dialog(app, "Water-change planner", "Water-Change Planner")
    menu(app, "o", "u")
    check_dialog(app, "Tasks due", "Due")

    menu(app, "o", "t")
    calc = wait_child(app, "Tank Calculator")
    pump(0.2)
    check_window(calc, "Calculator")
    tab_to(calc, "Temp Converter", back=True)
    keys("space")
    check_dialog(app, "Temperature converter")

    # A menu opened by keyboard starts on its first item, Change Tanks;
    # "c" goes on to the other item with that letter, CorvChart.
    menu(app, "o", "Return")
    tank = wait_child(app, "The Tank")
    pump(0.2)
    check_window(tank, "Tank", dict(nav))

    menu(app, "o", "r")
    check_dialog(app, "Target ranges")

    menu(app, "o", "c", "Return")
    chart = wait_top(app, "CorvChart")
    pump(0.2)
    check_window(chart, "Chart", {"Save Image…": "Save the chart as shown as a PNG image or an "
                                                 "SVG drawing, at a size you choose."})
    tab_to(chart, "Save Image…", back=True)
    keys("space")
    files = wait_top(app, exclude=(chart,))
    pump(0.2)
    check_window(files, "Save file dialog (%s)" % files.name)
    keys("Return")  # the name offered, then the size
    check_dialog(app, "Image size", exclude=(chart, files))
    # No printer here: printing the chart ends in a message that says so.
    chart = wait_top(app, "CorvChart")
    tab_to(chart, "Print", back=True)
    keys("space")
    check_dialog(app, "Chart printing", exclude=(chart,), close="Return")
    close_dialog(app, chart)

    menu(app, "h", "a")
    check_dialog(app, "About")

    keys("F2")
    helpview = wait_child(app, "Corvella Help")
    pump(0.2)
    check_window(helpview, "Help viewer", {"Back": "Back (Alt+Left)",
                                           "Forward": "Forward (Alt+Right)"})

    # The main window last, with its child windows open: its menus, its
    # toolbar and its status bar.
    frame = main_frame(app)
    toolbar = {k: k for k in ("Tank", "Journal", "Livestock", "Diseases", "Glossary",
                              "Calculator", "Chart", "Backup", "Restore", "Print", "Add",
                              "Delete", "Search", "About", "Exit", "Maintenance", "Tasks")}
    check_window(frame, "Main window", toolbar)

    # A question: restore asks before it closes the windows. No keeps them.
    menu(app, "f", "r")
    box = wait_top(app)
    pump(0.2)
    check_window(box, "Question box (%s)" % box.name)
    check(any("restore database?" in t for t in texts(box)),
          "Question box: its question can be read (%s)" % texts(box))
    close_dialog(app, box)


def main():
    if len(ARGS) != 1:
        sys.exit("usage: check_atspi.py PATH/TO/corvella [--verbose]")
    for tool in ("Xvfb", "openbox", "xdotool"):
        if not shutil.which(tool):
            sys.exit("check_atspi: %s is missing" % tool)
    started = time.time()
    run = Run(ARGS[0])
    try:
        run.start_display()
        run.make_database()
        run.start_program()
        run_checks(run)
        check(run.corvella.poll() is None, "Corvella still runs at the end (exit status %s)" %
              run.corvella.poll())
    except Exception as e:  # a window that never came is a failure, not a crash
        check(False, "the walk through the windows went on to its end: %s: %s" %
              (type(e).__name__, e))
        if VERBOSE:
            import traceback
            traceback.print_exc()
            subprocess.call(["import", "-window", "root", os.path.join(tempfile.gettempdir(),
                                                                      "check_atspi.png")])
    finally:
        run.stop()
    print("check_atspi: %.1f s" % (time.time() - started))
    print("%d passed, %d failed" % (results["passed"], results["failed"]))
    return 1 if results["failed"] else 0


if __name__ == "__main__":
    sys.exit(main())
