"""The game window as assistive technology reads it, from outside the process.

    scripts/lib/atspi-session.sh /usr/bin/python3 tests/app/atspi/test_board.py path/to/velmora
"""

import sys

import velmora_atspi as va  # found next to this script


def beginner_board_has_81_labelled_cells(app):
    board = app.find("panel", "Board")
    cells = app.find_all("table cell", within=board)
    va.check(len(cells) == 81, "the Board has %d cells, not 81" % len(cells))
    first = app.find("table cell", "Row 1, column 1: covered", within=board)
    va.check(cells[0].name == first.name, "the first cell is %r" % cells[0].name)
    app.find("table cell", "Row 9, column 9: covered", within=board)


def new_game_button_pressed_through_its_action(app):
    button = app.find("push button", "Start a new game")
    app.act(button, "Press")
    # The program must still answer, with the board intact; ending it checks its exit.
    board = app.find("panel", "Board")
    app.find("table cell", "Row 1, column 1: covered", within=board)
    va.check(app.alive(), "the program ended after the press")


def keys_reach_the_focused_board_and_changes_are_announced(app):
    board = app.find("panel", "Board")
    app.wait_until(lambda: "focused" in app.states(board), "the board to hold keyboard focus")

    # Space uncovers the focused tile: the first click always opens a region, and every
    # tile it opens says so through a name change.
    with app.events("object:property-change:accessible-name") as events:
        app.key("space")
        events.wait(lambda e: va.has_role(e.source, "table cell") and not e.source.name.endswith(": covered"),
                    "a cell announcing that it was uncovered")
    opened = app.wait_until(lambda: [c for c in app.find_all("table cell", within=board)
                                     if not c.name.endswith(": covered")], "uncovered cells")
    va.check(len(opened) >= 2, "the first click opened only %s" % [c.name for c in opened])

    # Tab takes focus off the board, and assistive technology hears where it went.
    with app.events("focus:", "object:state-changed:focused") as events:
        app.key("Tab")
        event = events.wait(lambda e: e.type == "focus:" or e.detail1 == 1, "focus to move")
    va.check(va.has_role(event.source, "push button"), "focus went to the %s %r"
             % (event.source.getRoleName(), event.source.name))
    app.wait_until(lambda: "focused" not in app.states(board), "the board to give up focus")


def header_menu_opens_under_the_pointer_and_escape_closes_it(app):
    app.click(app.find("push button", va.starts_with("Menu:")))
    app.find("menu item", "Quit Velmora")
    app.key("Escape")
    app.wait_until(lambda: not app.find_all("menu item"), "the menu to close")
    board = app.find("panel", "Board")
    app.find("table cell", "Row 1, column 1: covered", within=board)


def focused_cells(app, board):
    return [c for c in app.find_all("table cell", within=board) if "focused" in app.states(c)]


def arrow_keys_move_the_accessible_focus_and_space_is_heard(app):
    board = app.find("panel", "Board")
    app.wait_until(lambda: "focused" in app.states(board), "the board to hold keyboard focus")
    target = "Row 2, column 3: covered"
    with app.events("focus:", "object:state-changed:focused") as events:
        app.key("Right", "Right", "Down")
        events.wait(lambda e: va.has_role(e.source, "table cell") and e.source.name == target
                    and (e.type == "focus:" or e.detail1 == 1), "a focus event for %r" % target)
    focused = app.wait_until(lambda: focused_cells(app, board), "a focused cell")
    va.check([c.name for c in focused] == [target], "the focused cells are %s" % [c.name for c in focused])

    # Space uncovers it: the focused cell's label is now its uncovered text, and what opened
    # is said through the notification that shows itself anew, focus staying where it is.
    uncovered = lambda name: (name or "").startswith("Row 2, column 3: ") and not name.endswith(": covered")  # noqa: E731
    # (Qt 6.8 and later send it as an announcement event carrying the text.)
    with app.events("object:state-changed:showing", "object:announcement") as events:
        app.key("space")
        event = events.wait(lambda e: e.type.startswith("object:announcement")
                            or (va.has_role(e.source, "notification") and e.detail1 == 1),
                            "the move announced")
    said = event.any_data if event.type.startswith("object:announcement") else event.source.name
    va.check(said and said != "covered", "the announcement says %r" % said)
    focused = app.wait_until(lambda: [c for c in focused_cells(app, board) if uncovered(c.name)],
                             "the focused cell to read as uncovered")
    va.check(len(focused) == 1, "focused cells: %s" % [c.name for c in focused])


def flag_mode_is_a_toggle_pressed_through_its_action(app):
    button = app.find(None, "Flag mode")
    va.check("checked" not in app.states(button), "Flag mode starts on")
    va.check(not (button.description or ""), "Flag mode describes itself as %r" % button.description)
    app.act(button, "Press")
    app.wait_until(lambda: "checked" in app.states(button), "Flag mode to read as on")
    app.act(button, "Press")
    app.wait_until(lambda: "checked" not in app.states(button), "Flag mode to read as off")


va.run(sys.argv[1],
       [beginner_board_has_81_labelled_cells,
        new_game_button_pressed_through_its_action,
        keys_reach_the_focused_board_and_changes_are_announced,
        header_menu_opens_under_the_pointer_and_escape_closes_it,
        arrow_keys_move_the_accessible_focus_and_space_is_heard,
        flag_mode_is_a_toggle_pressed_through_its_action],
       store={"Velmora_Difficulty": "Beginner"})
