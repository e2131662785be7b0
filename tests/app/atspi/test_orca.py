"""A game played with the keyboard beside the real screen reader, asserting on what Orca
speaks. Run inside scripts/lib/orca-session.sh, which starts Orca with its speech written
to the file named by $VELMORA_SPOKEN, one utterance a line:

    scripts/lib/orca-session.sh /usr/bin/python3 tests/app/atspi/test_orca.py build-test/app/velmora

The board comes from a saved game with known mines, so every step is the same each run.
Each key waits for what Orca says about it (polling the file), never for a fixed time.
"""

import base64
import json
import os
import re
import subprocess
import sys
import time

import velmora_atspi as va

SPOKEN = os.environ.get("VELMORA_SPOKEN", "")
TIMEOUT = 20.0  # a sanitized build beside Orca on a shared, busy machine

# Beginner, a wall of mines across row 7 (columns 1-8) and one in two corners; only the
# tile right of the top-left mine is uncovered, so the first Space below opens a region.
MINES = [0, 54, 55, 56, 57, 58, 59, 60, 61, 80]
SAVED_GAME = {"version": 1, "difficulty": "Beginner", "mines": MINES, "revealed": [1],
              "flagged": [], "questioned": [], "elapsedSeconds": 64, "usedHint": False}
STORE = {"Velmora_SavedGame": {"$data": base64.b64encode(json.dumps(SAVED_GAME).encode()).decode()},
         "Velmora_Difficulty": "Beginner"}


class Speech:
    """What Orca has spoken so far, read from its file; `heard` waits for a new line."""

    def __init__(self, app):
        self.app = app
        self.seen = 0
        self.transcript = []

    def lines(self):
        with open(SPOKEN, encoding="utf-8", errors="replace") as f:
            return [line.strip() for line in f.read().splitlines() if line.strip()]

    def mark(self):
        self.seen = len(self.lines())

    def heard(self, pattern, what):
        """Waits until what was spoken since the last mark matches; returns it. Orca speaks a
        text of two sentences as two utterances, so the lines are matched joined by " | "."""
        wanted = re.compile(pattern)
        deadline = time.monotonic() + TIMEOUT
        while True:
            said = " | ".join(self.lines()[self.seen:])
            if wanted.search(said):
                return said
            if time.monotonic() > deadline or not self.app.alive():
                raise va.CheckFailed("Orca did not say %s (/%s/); it said: %s" % (what, pattern, said or "nothing"))
            time.sleep(va.POLL)

    def said_before(self, pattern):
        """What was spoken since the last mark up to the first line matching pattern."""
        lines = self.lines()[self.seen:]
        for i, line in enumerate(lines):
            if re.search(pattern, line):
                return " | ".join(lines[:i])
        return " | ".join(lines)

    def key(self, key, pattern, what, mark=True):
        if mark:
            self.mark()
        self.app.key(key)
        line = self.heard(pattern, what)
        self.transcript.append("%-10s %s" % (key, " | ".join(self.lines()[self.seen:])))
        return line


def step(name, speech, body):
    body()
    print("ok: %s" % name, flush=True)


def game_by_keyboard(app):
    va.check(SPOKEN and os.path.exists(SPOKEN), "no spoken file: run inside scripts/lib/orca-session.sh")
    speech = Speech(app)
    window = app.window_id()
    subprocess.run(["xdotool", "windowactivate", "--sync", window], capture_output=True)
    # Orca reads the window as it becomes active; the board holds focus on its first tile.
    speech.heard(r"Velmora", "the window as it becomes active")

    def moves():
        speech.key("Right", r"Row 1, column 2: 1 mine nearby", "the next tile's label")
        speech.key("Up", r"Row 1, column 2: 1 mine nearby", "the same tile again at the edge")
        speech.key("Down", r"Row 2, column 2: covered", "the tile below")
        speech.key("Right", r"Row 2, column 3: covered", "the tile to the right")
        # Uncovered where the player is: its state and how much opened.
        speech.key("space", r"empty, 52 tiles uncovered", "what Space uncovered")
        speech.key("f", r"(^|\| )empty\.?($| \|)", "why F did nothing on an uncovered tile")
        for _ in range(5):
            speech.key("Down", r"Row \d, column 3", "the tile below")
        speech.key("f", r"(^|\| )flagged", "the new flag")
        speech.key("space", r"(^|\| )flagged", "why Space did not uncover a flagged tile")
        speech.key("f", r"question mark", "the question mark")
        speech.key("f", r"(^|\| )covered", "the cleared mark")
        speech.key("t", r"10 mines left, Time: 1:\d\d", "the mine counter and the clock")
        # Keys faster than Orca speaks: each answer interrupts the one before, and no older
        # state is said after the newest.
        speech.mark()
        app.key("f", "f")
        speech.heard(r"question mark", "the second of two quick marks")
        speech.key("t", r"mines left", "the counter after two quick marks", mark=False)
        states = re.findall(r"flagged|question mark|covered", speech.said_before(r"mines left"))
        va.check(states and states[-1] == "question mark", "after flag and question mark Orca last said %s" % states)
        speech.key("f", r"(^|\| )covered", "the cleared mark")

    def dialog_holds_tab():
        speech.key("ctrl+n", r"Abandon this game\?", "the abandon-game question")
        names = set()
        for _ in range(4):
            line = speech.key("Tab", r"Cancel|New Game|Close|Menu|Flag|Hint", "the next button")
            va.check(re.search(r"Cancel|New Game", line), "Tab left the dialog: Orca said %r" % line)
            names.add("Cancel" if "Cancel" in line else "New Game")
        va.check(names == {"Cancel", "New Game"}, "Tab did not cycle both buttons: %s" % names)
        speech.key("Escape", r"Row 7, column 3", "focus back on the board after the dialog")

    def loss():
        speech.key("space", r"(^|\| )mine\. \| You hit a mine", "the loss, at once")
        speech.key("Up", r"Row 6, column 3: 3 mines nearby", "the board, still focused after the loss")
        speech.key("space", r"(^|\| )You hit a mine", "why Space does nothing after the end")

    def menu_opens_spoken():
        speech.key("shift+Tab", r"Menu: preferences", "the menu button")
        speech.key("space", r"Preferences", "the menu's first entry as it opens")
        speech.key("Down", r"Statistics", "the next entry")

    def screen_title_spoken():
        speech.key("Return", r"(^|\| )Statistics", "the screen's title")

    def escape_closes_screen():
        speech.key("Escape", r"Row 6, column 3", "focus back on the tile the screen left")

    step("moves", speech, moves)
    step("dialog_holds_tab", speech, dialog_holds_tab)
    step("loss", speech, loss)
    step("menu_opens_spoken", speech, menu_opens_spoken)
    step("screen_title_spoken", speech, screen_title_spoken)
    step("escape_closes_screen", speech, escape_closes_screen)
    print("--- transcript (key, then what Orca said):\n" + "\n".join(speech.transcript), flush=True)


va.run(sys.argv[1], [game_by_keyboard], store=STORE)
