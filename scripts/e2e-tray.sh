#!/usr/bin/env bash
# End-to-end check of the tray game in a real X session: Xvfb, an XEmbed tray host (trayer)
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
for tool in Xvfb trayer xdotool xwininfo base64; do
  command -v "$tool" >/dev/null || { echo "e2e: $tool is missing (run scripts/deps.sh)" >&2; exit 1; }
done

work=$(mktemp -d /tmp/velmora-e2e.XXXXXX)
pids=()
cleanup() {
  local status=$?
  for ((i=${#pids[@]}-1; i>=0; i--)); do kill "${pids[i]}" 2>/dev/null || true; done
  for pid in "${pids[@]}"; do wait "$pid" 2>/dev/null || true; done
  if [ $status -ne 0 ] && [ -f "$work/app.log" ]; then echo "--- app output:" >&2; cat "$work/app.log" >&2; fi
  rm -rf "$work"
  exit $status
}
trap cleanup EXIT INT TERM

fail() { echo "e2e: FAIL: $*" >&2; exit 1; }
# wait_for SECONDS DESCRIPTION COMMAND...: polls the command every 50 ms until it succeeds.
wait_for() {
  local seconds=$1 what=$2; shift 2
  local deadline=$((SECONDS + seconds))
  until "$@" >/dev/null 2>&1; do
    [ $SECONDS -lt $deadline ] || fail "timed out after ${seconds}s waiting for $what"
    sleep 0.05
  done
}

# A display of our own: Xvfb picks a free number and tells it through a file descriptor.
exec 3>"$work/display"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset >"$work/xvfb.log" 2>&1 &
pids+=($!)
exec 3>&-
wait_for 20 "Xvfb to report its display" test -s "$work/display"
export DISPLAY=":$(head -n1 "$work/display")"
wait_for 20 "the X server" xwininfo -root

export XDG_RUNTIME_DIR="$work/run" XDG_CONFIG_HOME="$work/config"
mkdir -p "$XDG_RUNTIME_DIR" "$XDG_CONFIG_HOME"; chmod 700 "$XDG_RUNTIME_DIR"
export QT_QPA_PLATFORM=xcb QT_QUICK_BACKEND=software
unset WAYLAND_DISPLAY DBUS_SESSION_BUS_ADDRESS
# Under the sanitized build: leaks inside system libraries are known and listed.
here=$(cd "$(dirname "$0")" && pwd)
export LSAN_OPTIONS="suppressions=$here/../tests/lsan-system.supp:fast_unwind_on_malloc=0${LSAN_OPTIONS:+:$LSAN_OPTIONS}"

trayer --edge top --align right --widthtype pixel --width 200 --height 24 >"$work/trayer.log" 2>&1 &
pids+=($!)
tray_host_up() { xwininfo -root -tree | grep -q '("panel" "trayer")'; }
wait_for 20 "the tray host" tray_host_up

store="$work/defaults.json"
"$app" --defaults "$store" --text-scale 1 >"$work/app.log" 2>&1 &
app_pid=$!
pids+=($app_pid)

visible_windows() { xdotool search --onlyvisible --class '^velmora$' 2>/dev/null || true; }
icon_shown() { visible_windows | grep -q .; }
wait_for 30 "the tray icon" icon_shown
icon=$(visible_windows | head -n1)
eval "$(xdotool getwindowgeometry --shell "$icon" | sed 's/^/ICON_/')"
echo "e2e: tray icon at ${ICON_X},${ICON_Y} ${ICON_WIDTH}x${ICON_HEIGHT}"

panel_window() { visible_windows | grep -vx "$icon" | head -n1; }
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
