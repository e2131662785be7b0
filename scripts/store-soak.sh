#!/usr/bin/env bash
# The store and the single-instance guard with the real program in a real X session (Xvfb and
# an XEmbed tray host): the clock saved while the panel stays open, a second program from
# another runtime folder refused, a peer that never finishes its line, SIGHUP after a move,
# and a bounded soak of kill -9 at random moments of scripted play, after each of which the
# store must be readable and hold at least the last save completed before the kill.
#
#   scripts/store-soak.sh path/to/velmora [KILLS]
set -euo pipefail

app=${1:?usage: store-soak.sh path/to/velmora [KILLS]}
kills=${2:-${SOAK_KILLS:-50}}
for tool in Xvfb xdotool xwininfo python3 sha256sum; do
  command -v "$tool" >/dev/null || { echo "store-soak: $tool is missing (run scripts/deps.sh)" >&2; exit 1; }
done

work=$(mktemp -d /tmp/velmora-soak.XXXXXX)
xsession_name=store-soak
on_failure() {
  for log in "$work"/*.log; do [ -f "$log" ] && { echo "--- $log:"; tail -n 30 "$log"; }; done
}
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib/xsession.sh"
xsession_start
export LSAN_OPTIONS="suppressions=$here/../tests/lsan-system.supp:fast_unwind_on_malloc=0:print_suppressions=0${LSAN_OPTIONS:+:$LSAN_OPTIONS}"

store="$work/home/defaults.json"
mkdir -p "$work/home"
# A returning player: the first-launch welcome window has its own test.
echo '{"Velmora_HasSeenWelcome":true}' >"$store"
RANDOM=${SOAK_SEED:-$$}
echo "store-soak: seed $RANDOM"

# JSON questions about the store, answered from the file alone.
store_field() {  # store_field KEY -> the integer under KEY (0 when absent); fails when unreadable
  python3 - "$store" "$1" <<'PY'
import json, sys
with open(sys.argv[1], "rb") as f:
    root = json.load(f)
if not isinstance(root, dict):
    sys.exit(1)
value = root.get(sys.argv[2], 0)
print(value if isinstance(value, int) else 0)
PY
}
saved_game_field() {  # saved_game_field FIELD -> that field of the saved game as JSON
  python3 - "$store" "$1" <<'PY'
import base64, json, sys
root = json.load(open(sys.argv[1], "rb"))
game = json.loads(base64.b64decode(root["Velmora_SavedGame"]["$data"]))
print(json.dumps(game[sys.argv[2]]))
PY
}
saved_elapsed_at_least() { [ "$(saved_game_field elapsedSeconds 2>/dev/null || echo -1)" -ge "$1" ]; }
games_played_at_least() { [ "$(store_field Velmora_GamesPlayed 2>/dev/null || echo -1)" -ge "$1" ]; }

# Starts the program; sets app_pid, icon and the ICON_* geometry.
launch() {
  "$app" --defaults "$store" --text-scale 1 >>"$work/app.log" 2>&1 &
  app_pid=$!
  pids+=($app_pid)
  wait_for 60 "the tray icon" icon_of_app
  icon=$(visible_windows | head -n1)
  eval "$(xdotool getwindowgeometry --shell "$icon" | sed 's/^/ICON_/')"
}
icon_of_app() { kill -0 "$app_pid" 2>/dev/null && icon_shown; }
panel_window() { visible_windows | grep -vx -m1 "$icon"; }
panel_shown() { panel_window | grep -q .; }
panel_hidden() { ! panel_shown; }
# Opens the panel; sets the grid's top left corner and the tile pitch (Beginner, 9 x 9).
open_panel() {
  xdotool mousemove $((ICON_X + ICON_WIDTH / 2)) $((ICON_Y + ICON_HEIGHT / 2)) click 1
  wait_for 30 "the panel to map" panel_shown
  eval "$(xdotool getwindowgeometry --shell "$(panel_window)" | sed 's/^/PANEL_/')"
  grid_x=$((PANEL_X + 14 + (347 - 330) / 2))
  grid_y=$((PANEL_Y + PANEL_HEIGHT - 14 - 330))
}
click_tile() {  # click_tile INDEX [BUTTON]
  local row=$(($1 / 9)) column=$(($1 % 9))
  xdotool mousemove $((grid_x + column * 330 / 9 + 18)) $((grid_y + row * 330 / 9 + 18)) click "${2:-1}"
}
stop_app() {  # stop_app SIGNAL: sets status to the program's exit status
  kill "-$1" "$app_pid"
  status=0
  wait "$app_pid" || status=$?
}

# --- the clock with the panel open, a second writer, a silent peer, SIGHUP ----------------
launch
open_panel
click_tile 40
wait_for 30 "the first uncover to be stored" games_played_at_least 1
# No move and no hiding from here: only the clock runs, and its time must reach the file.
wait_for 30 "the running clock to be saved" saved_elapsed_at_least 2
echo "store-soak: the clock reached the store with the panel open"

before=$(cat "$store")
other="$work/other-run"; mkdir -m 700 "$other"
status=0
# A UTF-8 locale, because without one Qt adds its own warning line.
LC_ALL=C.UTF-8 XDG_RUNTIME_DIR="$other" timeout 60 "$app" --defaults "$store" --text-scale 1 >"$work/second.log" 2>&1 || status=$?
[ "$status" -eq 1 ] || fail "a second program from another runtime folder ended with $status, not 1"
grep -q "is in use by another Velmora" "$work/second.log" || fail "the refused program did not say why"
[ "$(grep -c . "$work/second.log")" -eq 1 ] || fail "the refused program said more than one line"
kill -0 "$app_pid" || fail "the first program is gone"
after=$(cat "$store")
python3 -c 'import json,sys; a,b=(json.loads(x) for x in sys.argv[1:]); sys.exit(a["Velmora_GamesPlayed"]!=b["Velmora_GamesPlayed"])' \
  "$before" "$after" || fail "the store changed under the refused program"
ls "$work/home" | grep -q damaged && fail "a store was set aside"
echo "store-soak: a second program from another runtime folder was refused"

# A peer that connects and never ends its line does not keep a real launch out.
real=$(realpath "$store")
socket="$XDG_RUNTIME_DIR/velmora-$(printf '%s' "$real" | sha256sum | cut -c1-16)"
[ -S "$socket" ] || fail "no instance socket at $socket"
python3 - "$socket" >"$work/squatter.log" 2>&1 <<'PY' &
import socket, sys, time
s = socket.socket(socket.AF_UNIX)
s.connect(sys.argv[1])
try:
    for _ in range(200):
        s.sendall(b"x" * 4096)
        time.sleep(0.01)
except OSError as e:
    print("dropped:", e)
time.sleep(5)
PY
squatter=$!
pids+=($squatter)
xdotool mousemove 100 500 click 1
wait_for 20 "the panel to hide" panel_hidden
timeout 30 "$app" --defaults "$store" --text-scale 1 >>"$work/app.log" 2>&1 || fail "a second launch beside a silent peer failed"
wait_for 20 "the panel to map again" panel_shown
wait "$squatter" || true
grep -q dropped "$work/squatter.log" || fail "the endless peer was not dropped"
echo "store-soak: a silent peer was dropped and a second launch still got through"

# A move, then SIGHUP as at logout: the game is saved and the program ends cleanly.
eval "$(xdotool getwindowgeometry --shell "$(panel_window)" | sed 's/^/PANEL_/')"
covered=$(python3 - "$store" <<'PY'
import base64, json, sys
root = json.load(open(sys.argv[1], "rb"))
game = json.loads(base64.b64decode(root["Velmora_SavedGame"]["$data"]))
print(next(i for i in range(81) if i not in game["revealed"]))
PY
)
click_tile "$covered" 3
wait_for 20 "the flag to be stored" sh -c "python3 - '$store' <<'PY'
import base64, json, sys
root = json.load(open(sys.argv[1], 'rb'))
game = json.loads(base64.b64decode(root['Velmora_SavedGame']['\$data']))
sys.exit(0 if $covered in game['flagged'] else 1)
PY"
stop_app HUP
[ "$status" -eq 0 ] || fail "SIGHUP ended the program with status $status"
[ "$(saved_game_field flagged)" != "[]" ] || fail "the saved game is gone after SIGHUP"
echo "store-soak: SIGHUP after a move left the saved game stored"

# --- kill -9 at random moments ------------------------------------------------------------
start=$SECONDS
for ((round = 1; round <= kills; round++)); do
  launch
  ls "$work/home" | grep -q damaged && fail "round $round: a store was set aside"
  open_panel
  for ((move = RANDOM % 6; move > 0; move--)); do
    button=1; [ $((RANDOM % 3)) -eq 0 ] && button=3
    click_tile $((RANDOM % 81)) "$button"
    sleep "0.0$((RANDOM % 10))"
  done
  # The last completed save is what the file holds now; a write in flight may add to it.
  played=$(store_field Velmora_GamesPlayed 2>/dev/null || echo 0)
  [ $((RANDOM % 2)) -eq 0 ] && click_tile $((RANDOM % 81))
  sleep "0.$((RANDOM % 3))$((RANDOM % 10))"
  kill -KILL "$app_pid"
  wait "$app_pid" 2>/dev/null || true
  now=$(store_field Velmora_GamesPlayed) || fail "round $round: the store is not readable after kill -9"
  [ "$now" -ge "$played" ] || fail "round $round: the store went back from $played to $now games"
done
games=$(store_field Velmora_GamesPlayed)
launch
stop_app TERM
[ "$status" -eq 0 ] || fail "the last program ended with status $status"
ls "$work/home" | grep -q damaged && fail "a store was set aside"
leftovers=$(ls "$work/home" | grep -c '\.tmp' || true)
[ "$leftovers" -eq 0 ] || fail "$leftovers temporary files were left behind"
echo "store-soak: $kills kills in $((SECONDS - start)) s, $games games played, every store readable; PASS"
