"""Drives the real velmora program from outside, through its accessibility tree (AT-SPI),
the way a screen reader or an automation tool meets it.

A test is a script run inside scripts/lib/atspi-session.sh (display, session bus and
accessibility bus), with Debian's interpreter, which has pyatspi, and the program as its
argument:

    scripts/lib/atspi-session.sh /usr/bin/python3 tests/app/atspi/test_NAME.py build-test/app/velmora

Writing another test, tests/app/atspi/test_NAME.py (register it in tests/app/CMakeLists.txt
next to test_board.py, with the label atspi):

    import sys
    import velmora_atspi as va

    def preferences_open(app):
        app.act(app.find("push button", va.starts_with("Menu:")), "Press")
        app.act(app.find("menu item", "Preferences"), "Press")
        app.find("heading", "Preferences")

    va.run(sys.argv[1], [preferences_open], store={"Velmora_Difficulty": "Expert"})

- run(binary, checks, store=None) starts one fresh program per check function over a new
  store file holding `store` (defaults keys to JSON values; the welcome window is marked as
  seen unless the store says otherwise), calls check(app), ends the program, prints one
  PASS/FAIL line per check and exits non-zero if any failed. Velmora(binary, store) used
  as a context manager does the same for one program.
- Ending the program is part of every check: SIGTERM must end it with status 0, so a crash,
  a sanitizer report or a leak at exit fails the check, with the program's output shown.
- app.find(role, name, timeout=20, within=None) waits until a descendant with that role
  and name is showing in the tree and returns it; app.find_all(...) returns every match at
  once, without waiting. role is the role's name as AT-SPI gives it ("table", "table cell",
  "push button", "check box", "label", "heading", "menu item", "dialog", ...), or None for
  any role; roles are compared by their enumeration value, so "push button" also finds what
  at-spi2-core 2.53 and later name "button"; has_role(accessible, role) checks one. name is
  a string (exact), a callable taking the name (see starts_with, matches), or None for any
  name.
- app.act(accessible, "Press") performs the accessible action of that name ("Press",
  "Toggle", "SetFocus", ...) and fails when the control does not offer it. On Qt 6.4 a
  Button or MenuItem lists "Press" but does nothing for it unless its QML forwards
  Accessible.onPressAction; a Switch's Toggle flips it without toggled(): check the effect.
- Reading: accessible.name, app.states(accessible) (a set of state names: "focused",
  "checked", "selected", "showing", "enabled", ...), app.wait_until(condition, what) polls
  any condition with a timeout.
- Events: collect them from before the action that causes them:
      with app.events("focus:", "object:state-changed:focused") as events:
          app.key("Tab")
          event = events.wait(lambda e: e.source.name == "Board", "focus on the board")
  Event types are AT-SPI's ("object:property-change:accessible-name", ...); only events
  from this program are kept.
- app.key("ctrl+comma", "Escape") types keys into the program's window (xdotool names);
  app.click(accessible) clicks the middle of a control with the pointer.
- check(condition, message) fails the check with a message.
Names are the labels users hear, not the objectName identifiers: Qt 6.4 does not pass those
to AT-SPI. Everything waits with a timeout; nothing waits on wall-clock time alone.
"""

import json
import os
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import time
import traceback

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi, GLib  # noqa: E402

import pyatspi  # noqa: E402

DEFAULT_TIMEOUT = 20.0  # a sanitized build on a shared, busy machine
START_TIMEOUT = 60.0  # a sanitized build starts slowly on a busy machine
POLL = 0.05


class CheckFailed(AssertionError):
    pass


def check(condition, message):
    if not condition:
        raise CheckFailed(message)


def starts_with(prefix):
    test = lambda name: name is not None and name.startswith(prefix)  # noqa: E731
    test.description = "starting with %r" % prefix
    return test


def matches(pattern):
    compiled = re.compile(pattern)
    test = lambda name: name is not None and compiled.fullmatch(name) is not None  # noqa: E731
    test.description = "matching /%s/" % pattern
    return test


# at-spi2-core 2.53 renamed some roles ("push button" is "button" since); the enumeration
# value stayed, so roles are compared by value and tests may use either generation's name.
_RENAMED_ROLES = {"push button": "button", "button": "push button"}


def _role_table():
    table = {}
    for attr in dir(Atspi.Role):
        value = getattr(Atspi.Role, attr)
        if isinstance(value, Atspi.Role) and attr != "LAST_DEFINED":
            table.setdefault(attr.lower().replace("_", " "), int(value))
            table.setdefault(Atspi.role_get_name(value), int(value))
    for old, new in _RENAMED_ROLES.items():
        if old not in table and new in table:
            table[old] = table[new]
    return table


_ROLES = _role_table()


def role_value(name):
    """The enumeration value of a role named as either at-spi2-core generation names it."""
    try:
        return _ROLES[name]
    except KeyError:
        raise ValueError("no accessible role is named %r" % name) from None


def has_role(accessible, role):
    """Whether the accessible has that role (a name, see role_value); False once it is gone."""
    want = role_value(role)
    return _safe(lambda: int(accessible.getRole())) == want


def _describe_name(name):
    if name is None:
        return "any name"
    if callable(name):
        return getattr(name, "description", "a name the test accepts")
    return repr(name)


def _name_fits(want, have):
    if want is None:
        return True
    if callable(want):
        return bool(want(have))
    return want == have


def pump():
    """Delivers pending accessibility events (they arrive through the GLib main loop)."""
    context = GLib.MainContext.default()
    while context.pending():
        context.iteration(False)


def _safe(call, default=None):
    # An object can vanish between two calls (a tile redrawn, a screen closed): that reads as
    # "not there now", and the caller's poll tries again.
    try:
        return call()
    except GLib.Error:
        return default
    except Exception:  # pyatspi raises its own wrappers for the same D-Bus failures
        return default


class EventRecorder:
    """Collects one program's events of the given types while the with-block runs."""

    def __init__(self, app, types):
        self._app = app
        self._types = types
        self.events = []
        self._seen = 0

    def __enter__(self):
        pyatspi.Registry.registerEventListener(self._on_event, *self._types)
        return self

    def __exit__(self, *exc):
        pyatspi.Registry.deregisterEventListener(self._on_event, *self._types)
        return False

    def _on_event(self, event):
        source_pid = _safe(lambda: event.source.get_process_id())
        if source_pid == self._app.pid:
            self.events.append(event)

    def wait(self, condition=lambda event: True, what="the event", timeout=DEFAULT_TIMEOUT):
        """The first event not yet returned that meets the condition."""
        deadline = time.monotonic() + timeout
        while True:
            pump()
            while self._seen < len(self.events):
                event = self.events[self._seen]
                self._seen += 1
                if _safe(lambda: condition(event), False):
                    return event
            if time.monotonic() > deadline:
                got = ", ".join("%s from %r" % (e.type, _safe(lambda: e.source.name)) for e in self.events)
                raise CheckFailed("timed out after %.0fs waiting for %s (got: %s)" % (timeout, what, got or "none"))
            time.sleep(POLL)


class Velmora:
    """One running velmora process, seen through the accessibility tree."""

    def __init__(self, binary, store=None, args=()):
        self.binary = os.path.abspath(binary)
        self.dir = tempfile.mkdtemp(prefix="velmora-atspi-test.")
        self.store_path = os.path.join(self.dir, "defaults.json")
        content = {"Velmora_HasSeenWelcome": True}
        content.update(store or {})
        with open(self.store_path, "w") as f:
            json.dump(content, f)
        self.log_path = os.path.join(self.dir, "app.log")
        self.args = list(args)
        self.process = None
        self.app = None

    # --- life ---------------------------------------------------------------------------

    def __enter__(self):
        try:
            self.start()
        except BaseException as error:
            self.__exit__(type(error), error, None)
            raise
        return self

    def __exit__(self, kind, value, tb):
        try:
            self.stop()
        except CheckFailed:
            if kind is None:  # otherwise the first failure is the one worth reporting
                raise
        finally:
            shutil.rmtree(self.dir, ignore_errors=True)
        return False

    @property
    def pid(self):
        return self.process.pid if self.process else None

    def start(self):
        log = open(self.log_path, "wb")
        # In the test's own process group, which the session script ends as a whole should
        # the test itself be killed.
        self.process = subprocess.Popen(
            [self.binary, "--window", "--defaults", self.store_path] + self.args,
            stdin=subprocess.DEVNULL, stdout=log, stderr=subprocess.STDOUT)
        log.close()
        self.app = self.wait_until(self._application, "the program on the accessibility bus", START_TIMEOUT)
        # Read every name and state live: a cached one is only refreshed by events, and
        # between two pumps of the event loop it can be stale.
        _safe(lambda: self.app.set_cache_mask(Atspi.Cache.NONE))

    def _application(self):
        if self.process.poll() is not None:
            raise CheckFailed("the program ended with status %d while starting\n%s"
                              % (self.process.returncode, self.output()))
        desktop = pyatspi.Registry.getDesktop(0)
        for i in range(_safe(lambda: desktop.childCount, 0)):
            app = _safe(lambda: desktop.getChildAtIndex(i))
            if app is not None and _safe(lambda: app.get_process_id()) == self.process.pid:
                # The tree is there once the window is: wait for its first child.
                if _safe(lambda: app.childCount, 0) > 0:
                    return app
        return None

    def stop(self):
        """Ends the program like a user's logout does and checks that it ended cleanly."""
        if self.process is None:
            return
        process, self.process = self.process, None
        if process.poll() is None:
            process.send_signal(signal.SIGTERM)
            try:
                process.wait(timeout=60)
            except subprocess.TimeoutExpired:
                pass
        status = process.poll()
        if status is None:
            process.kill()
            process.wait()
            raise CheckFailed("the program did not end on SIGTERM\n" + self.output())
        if status != 0:
            raise CheckFailed("the program ended with status %d\n%s" % (status, self.output()))

    def output(self):
        try:
            with open(self.log_path, "rb") as f:
                text = f.read().decode("utf-8", "replace")
        except OSError:
            return ""
        return "--- program output:\n" + text if text else "(the program wrote nothing)"

    def alive(self):
        return self.process is not None and self.process.poll() is None

    # --- waiting ------------------------------------------------------------------------

    def wait_until(self, condition, what, timeout=DEFAULT_TIMEOUT):
        """Polls condition() until it returns something truthy, and returns that."""
        deadline = time.monotonic() + timeout
        while True:
            pump()
            result = condition()
            if result:
                return result
            if self.process is not None and self.process.poll() is not None:
                raise CheckFailed("the program ended (status %d) while waiting for %s\n%s"
                                  % (self.process.returncode, what, self.output()))
            if time.monotonic() > deadline:
                raise CheckFailed("timed out after %.0fs waiting for %s" % (timeout, what))
            time.sleep(POLL)

    def events(self, *types):
        return EventRecorder(self, types)

    # --- finding ------------------------------------------------------------------------

    def find_all(self, role=None, name=None, within=None, showing=True):
        """Every descendant with that role and name now (breadth first, in tree order)."""
        want = None if role is None else role_value(role)
        cell = role_value("table cell")
        found = []
        queue = [within or self.app]
        while queue:
            node = queue.pop(0)
            count = _safe(lambda: node.childCount, 0)
            for i in range(count):
                child = _safe(lambda: node.getChildAtIndex(i))
                if child is None:
                    continue
                child_role = _safe(lambda: int(child.getRole()))
                if (want is None or child_role == want) and _name_fits(name, _safe(lambda: child.name)):
                    if not showing or "showing" in self.states(child):
                        found.append(child)
                # A table cell holds nothing worth finding; skipping them keeps a walk over
                # an Expert board short.
                if child_role != cell:
                    queue.append(child)
        return found

    def find(self, role, name, timeout=DEFAULT_TIMEOUT, within=None, showing=True):
        what = "a %s named %s" % (role or "control", _describe_name(name))

        def first():
            hits = self.find_all(role, name, within, showing)
            return hits[0] if hits else None

        return self.wait_until(first, what, timeout)

    def children(self, accessible, role=None):
        out = []
        for i in range(_safe(lambda: accessible.childCount, 0)):
            child = _safe(lambda: accessible.getChildAtIndex(i))
            if child is not None and (role is None or has_role(child, role)):
                out.append(child)
        return out

    # --- reading and acting -------------------------------------------------------------

    @staticmethod
    def states(accessible):
        state_set = _safe(lambda: accessible.getState())
        if state_set is None:
            return set()
        return {s.value_nick.replace("-", " ") for s in state_set.getStates()}

    @staticmethod
    def actions(accessible):
        action = _safe(lambda: accessible.queryAction())
        if action is None:
            return []
        return [action.getName(i) for i in range(action.nActions)]

    def act(self, accessible, action_name):
        """Performs the accessible action of that name (the first one, when it is listed twice)."""
        names = self.actions(accessible)
        check(action_name in names, "%r offers no %r action (it has %s)"
              % (_safe(lambda: accessible.name), action_name, names))
        accessible.queryAction().doAction(names.index(action_name))
        pump()

    def window_id(self):
        def visible():
            out = subprocess.run(["xdotool", "search", "--onlyvisible", "--pid", str(self.pid)],
                                 capture_output=True, text=True).stdout.split()
            return out[0] if out else None

        return self.wait_until(visible, "the program's window")

    def click(self, accessible, button=1):
        """Clicks the middle of the control with the pointer, as a user would."""
        box = _safe(lambda: accessible.queryComponent().getExtents(pyatspi.DESKTOP_COORDS))
        check(box is not None and box.width > 0 and box.height > 0,
              "%r has no place on the screen" % _safe(lambda: accessible.name))
        subprocess.run(["xdotool", "mousemove", "--sync", str(box.x + box.width // 2),
                        str(box.y + box.height // 2), "click", str(button)], check=True, capture_output=True)
        pump()

    def key(self, *keys):
        """Types keys (xdotool names: "Tab", "Return", "ctrl+comma") into the program's window."""
        window = self.window_id()
        subprocess.run(["xdotool", "windowfocus", "--sync", window], check=True, capture_output=True)
        subprocess.run(["xdotool", "key", "--clearmodifiers"] + list(keys), check=True, capture_output=True)
        pump()


def run(binary, checks, store=None, args=()):
    """Runs each check(app) against a freshly started program; exits with the overall result."""
    # A timeout's SIGTERM unwinds like a failure, so the program is ended and its files removed.
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(128 + signal.SIGTERM))
    failed = 0
    for test in checks:
        name = test.__name__
        try:
            with Velmora(binary, store, args) as app:
                test(app)
        except Exception as error:  # a failure of one check must not hide the others
            failed += 1
            detail = str(error) if isinstance(error, CheckFailed) else traceback.format_exc()
            print("FAIL: %s: %s" % (name, detail), flush=True)
        else:
            print("PASS: %s" % name, flush=True)
    sys.exit(1 if failed else 0)
