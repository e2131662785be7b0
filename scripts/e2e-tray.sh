#!/usr/bin/env bash
# End-to-end check of the tray game in a real X session: Xvfb, an XEmbed tray host
# and the built program over a temporary store. Clicks the tray icon, checks that the panel
# maps next to it, starts a game with a click on a tile, hides the panel with a click outside
# and checks that the store then holds the saved game. Starts and stops everything itself.
#
#   scripts/e2e-tray.sh path/to/velmora [screenshot.png]
#
# With a second argument it also saves a picture of the open panel, mid-game, there.
set -euo pipefail

app=${1:?usage: e2e-tray.sh path/to/velmora [screenshot.png]}
shot=${2:-}
shooter=${E2E_SHOOTER:-$(dirname "$app")/../tests/app/x11shot}
for tool in Xvfb xdotool xwininfo base64; do
  command -v "$tool" >/dev/null || { echo "e2e: $tool is missing (run scripts/deps.sh)" >&2; exit 1; }
done

work=$(mktemp -d /tmp/velmora-e2e.XXXXXX)
xsession_name=e2e
on_failure() {
  if [ -f "$work/app.log" ]; then echo "--- app output:"; cat "$work/app.log"; fi
}
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib/xsession.sh"

xsession_start

# Under the sanitized build: leaks inside system libraries are known and listed.
export LSAN_OPTIONS="suppressions=$here/../tests/lsan-system.supp:fast_unwind_on_malloc=0:print_suppressions=0${LSAN_OPTIONS:+:$LSAN_OPTIONS}"

store="$work/defaults.json"
# A returning player: the first-launch welcome has its own test (e2e-desktop.sh).
echo '{"Velmora_HasSeenWelcome":true}' >"$store"
"$app" --defaults "$store" --text-scale 1 >"$work/app.log" 2>&1 &
app_pid=$!
pids+=($app_pid)

wait_for 30 "the tray icon" icon_shown
icon=$(visible_windows | head -n1)
eval "$(xdotool getwindowgeometry --shell "$icon" | sed 's/^/ICON_/')"
echo "e2e: tray icon at ${ICON_X},${ICON_Y} ${ICON_WIDTH}x${ICON_HEIGHT}"

panel_window() { visible_windows | grep -vx -m1 "$icon"; }
panel_shown() { panel_window | grep -q .; }
panel_hidden() { ! panel_shown; }
xdotool mousemove $((ICON_X + ICON_WIDTH / 2)) $((ICON_Y + ICON_HEIGHT / 2)) click 1
wait_for 30 "the panel to map" panel_shown
panel=$(panel_window)
eval "$(xdotool getwindowgeometry --shell "$panel" | sed 's/^/PANEL_/')"
echo "e2e: panel at ${PANEL_X},${PANEL_Y} ${PANEL_WIDTH}x${PANEL_HEIGHT}"

# Next to the icon: right below it and overlapping it horizontally.
icon_bottom=$((ICON_Y + ICON_HEIGHT))
[ $((PANEL_Y - icon_bottom)) -ge -2 ] && [ $((PANEL_Y - icon_bottom)) -le 2 ] ||
  fail "panel top $PANEL_Y is not at the icon's bottom $icon_bottom"
[ "$PANEL_X" -le $((ICON_X + ICON_WIDTH)) ] && [ $((PANEL_X + PANEL_WIDTH)) -ge "$ICON_X" ] ||
  fail "panel $PANEL_X..$((PANEL_X + PANEL_WIDTH)) does not reach the icon at $ICON_X"
[ $((PANEL_X + PANEL_WIDTH)) -le 1024 ] || fail "panel sticks out of the screen"

# The centre tile of the Beginner board: the 330-point grid sits 14 points above the panel's
# bottom edge, centred in a 347-point area after 14 points of padding.
tile_x=$((PANEL_X + 14 + 347 / 2))
tile_y=$((PANEL_Y + PANEL_HEIGHT - 14 - 330 / 2))
xdotool mousemove "$tile_x" "$tile_y" click 1
# The first uncover counts the game as played; the store writes it on the next turn.
wait_for 20 "the first uncover to be stored" grep -q '"Velmora_GamesPlayed":1' "$store"

if [ -n "$shot" ]; then
  xdotool mousemove $((PANEL_X + PANEL_WIDTH - 30)) $((PANEL_Y + PANEL_HEIGHT - 20))
  sleep 1   # let the reveal animation finish; only the picture depends on it
  "$shooter" "$shot" "$PANEL_X" "$PANEL_Y" "$PANEL_WIDTH" "$PANEL_HEIGHT" || fail "no screenshot"
  echo "e2e: screenshot saved to $shot"
fi

# Without a window manager the panel holds the pointer: a right click on the icon still
# brings the icon's menu at once, and Escape closes it again.
xdotool mousemove $((ICON_X + ICON_WIDTH / 2)) $((ICON_Y + ICON_HEIGHT / 2)) click 3
menu_window() { visible_windows | grep -vx "$icon" | grep -vx -m1 "$panel"; }
menu_shown() { menu_window | grep -q .; }
menu_gone() { ! menu_shown; }
wait_for 20 "the icon's menu at the first right click" menu_shown
xdotool key Escape
wait_for 20 "the menu to close" menu_gone
panel_hidden || fail "the panel stayed open under the icon's menu"
xdotool mousemove $((ICON_X + ICON_WIDTH / 2)) $((ICON_Y + ICON_HEIGHT / 2)) click 1
wait_for 30 "the panel to map again" panel_shown

# A click outside hides the panel, which pauses the clock and saves the game. The clock runs
# a moment first, so the stored time shows the save came from hiding (a tick saves nothing).
saved_game() { sed -n 's/.*"Velmora_SavedGame":{"\$data":"\([^"]*\)".*/\1/p' "$store" | base64 -d; }
sleep 2.5   # no poll can see the clock from outside; 2.5 s leaves room for a busy loop
xdotool mousemove 100 500 click 1
wait_for 20 "the panel to hide" panel_hidden
saved_game_has_time() { saved_game | grep -q '"elapsedSeconds":[1-9]'; }
wait_for 20 "the saved game with the time played" saved_game_has_time
saved=$(saved_game)
echo "$saved" | grep -q '"revealed":\[[0-9]' || fail "the saved game has no uncovered tile: $saved"
echo "$saved" | grep -q '"difficulty":"Beginner"' || fail "the saved game is not the Beginner board: $saved"

# A second launch over the same store shows the first one's panel and leaves.
timeout 30 "$app" --defaults "$store" --text-scale 1 >>"$work/app.log" 2>&1 || fail "second launch failed"
wait_for 20 "the panel to map again" panel_shown

# SIGTERM ends it like Quit: cleanly, with the store flushed.
kill -TERM "$app_pid"
for _ in $(seq 200); do kill -0 "$app_pid" 2>/dev/null || break; sleep 0.05; done
kill -0 "$app_pid" 2>/dev/null && fail "the app did not end on SIGTERM"
wait "$app_pid" && status=0 || status=$?
[ "$status" -eq 0 ] || fail "the app ended with status $status on SIGTERM"
grep -q '"Velmora_SavedGame"' "$store" || fail "the saved game is gone after SIGTERM"
echo "e2e: PASS"
