"""The four screens as assistive technology reaches them, from outside the process.

    scripts/lib/atspi-session.sh /usr/bin/python3 tests/app/atspi/test_screens.py path/to/velmora
"""

import sys

import velmora_atspi as va  # found next to this script


def open_from_menu(app, entry):
    app.act(app.find("push button", va.starts_with("Menu:")), "Press")
    app.act(app.find("menu item", entry), "Press")
    app.find("heading", entry)


def close_screen(app):
    app.act(app.find("push button", "Close"), "Press")
    app.find("panel", "Board")


def expert_chosen_in_preferences_deals_484_tiles(app):
    open_from_menu(app, "Preferences")
    # The board behind the screen is out of the tree while the screen shows.
    va.check(not app.find_all("panel", "Board"), "the board is still exposed behind the screen")
    app.act(app.find(None, "Difficulty: Beginner"), "Press")
    app.act(app.find("menu item", "Expert"), "Press")
    close_screen(app)
    board = app.find("panel", "Board")
    cells = app.wait_until(lambda: len(app.find_all("table cell", within=board)) == 484 and
                           app.find_all("table cell", within=board), "an Expert board")
    va.check(len(cells) == 484, "the board has %d cells" % len(cells))


def statistics_read_as_lines_and_reset_asks_first(app):
    open_from_menu(app, "Statistics")
    app.find(None, "Games Played: 3")
    app.find(None, "Games Lost: 3")
    app.find(None, "Win Rate: 0.0%")
    app.find(None, "Best Time, Expert: \u2013")
    app.act(app.find("push button", "Reset All Statistics"), "Press")
    dialog = app.find("dialog", "Reset all statistics?")
    app.act(app.find("push button", "Cancel", within=dialog), "Press")
    app.wait_until(lambda: not app.find_all("dialog", "Reset all statistics?"), "the dialog to close")
    app.find(None, "Games Played: 3")
    close_screen(app)


def switches_and_swatches_answer_their_actions(app):
    open_from_menu(app, "Preferences")
    marks = app.find("check box", "Question Marks")
    va.check("checked" in app.states(marks), "question marks start on")
    app.act(marks, "Toggle")
    app.wait_until(lambda: "checked" not in app.states(marks), "the switch to turn off")
    amber = app.find(None, "Tile Theme: Solid Amber")
    app.act(amber, "Press")
    app.wait_until(lambda: "checked" in app.states(amber) or "selected" in app.states(amber),
                   "the amber swatch to be chosen")
    close_screen(app)


def about_shows_version_and_website(app):
    open_from_menu(app, "About")
    app.find(None, "Velmora")
    app.find(None, va.starts_with("Version "))
    app.find("push button", "Visit publisher website velmora.example")
    close_screen(app)


va.run(sys.argv[1],
       [expert_chosen_in_preferences_deals_484_tiles,
        statistics_read_as_lines_and_reset_asks_first,
        switches_and_swatches_answer_their_actions,
        about_shows_version_and_website],
       store={"Velmora_Difficulty": "Beginner", "Velmora_GamesPlayed": 3})
