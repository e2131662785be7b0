#!/usr/bin/env bash
# The program as a new user meets it, in a real X session: Xvfb, the openbox window manager
# and an XEmbed tray host. Checks the first-launch welcome (centred, recorded in the store
# while it is open, closed by Return, not shown again), the panel (kept out of taskbars and
# pagers, hidden by Escape and by a click elsewhere, the icon's menu at once while it is
# open), a tray host that restarts, and a tray host that comes up after the game.
#
#   scripts/e2e-desktop.sh path/to/velmora [welcome-screenshot.png]
set -euo pipefail

app=${1:?usage: e2e-desktop.sh path/to/velmora [welcome-screenshot.png]}
shot=${2:-}
shooter=${E2E_SHOOTER:-$(dirname "$app")/../tests/app/x11shot}
for tool in Xvfb openbox xdotool xwininfo xprop xmessage; do
  command -v "$tool" >/dev/null || { echo "e2e-desktop: $tool is missing (run scripts/deps.sh)" >&2; exit 1; }
done

work=$(mktemp -d /tmp/velmora-e2e-desktop.XXXXXX)
xsession_name=e2e-desktop
on_failure() {
  for log in "$work"/app*.log; do [ -f "$log" ] && { echo "--- $(basename "$log"):"; cat "$log"; }; done
}
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib/xsession.sh"
xsession_start
export LANGUAGE=en LC_ALL=C.UTF-8
export LSAN_OPTIONS="suppressions=$here/../tests/lsan-system.supp:fast_unwind_on_malloc=0:print_suppressions=0${LSAN_OPTIONS:+:$LSAN_OPTIONS}"

openbox --sm-disable >"$work/openbox.log" 2>&1 &
pids+=($!)
wm_running() { xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id'; }
wait_for 20 "openbox" wm_running

store="$work/defaults.json"
launch() {  # launch LOG [ENV...]: starts the game over the store, sets app_pid
  local log=$1; shift
  env "$@" "$app" --defaults "$store" --text-scale 1 >"$work/$log" 2>&1 &
  app_pid=$!
  pids+=($app_pid)
}
stop_app() {
  kill -TERM "$app_pid"
  wait "$app_pid" && status=0 || status=$?
  [ "$status" -eq 0 ] || fail "the game ended with status $status"
}
welcome_window() { xdotool search --onlyvisible --name '^Welcome — Velmora$' 2>/dev/null | head -n1; }
welcome_shown() { welcome_window | grep -q .; }
welcome_gone() { ! welcome_shown; }
state_of() { xprop -id "$1" _NET_WM_STATE 2>/dev/null; }
is_active() { [ "$(xdotool getactivewindow 2>/dev/null)" = "$1" ]; }
# The tray icon is the small velmora window docked in the tray host; the rest are top-level windows.
icon_window() {
  local id
  for id in $(visible_windows); do
    eval "$(xdotool getwindowgeometry --shell "$id" 2>/dev/null | sed 's/^/G_/')" || continue
    [ "${G_WIDTH:-99}" -le 32 ] && [ "${G_HEIGHT:-99}" -le 32 ] && { echo "$id"; return; }
  done
}
icon_present() { icon_window | grep -q .; }
# The first utility window. It stops there and ends well either way: under pipefail a loop
# whose last window is no utility would fail the check although the panel is up.
panel_window() {
  local id
  for id in $(visible_windows); do
    xprop -id "$id" _NET_WM_WINDOW_TYPE 2>/dev/null | grep -q UTILITY && { echo "$id"; return 0; }
  done
  return 0
}
panel_shown() { panel_window | grep -q .; }
panel_hidden() { ! panel_shown; }
click_icon() {  # click_icon BUTTON
  local icon; icon=$(icon_window)
  eval "$(xdotool getwindowgeometry --shell "$icon" | sed 's/^/ICON_/')"
  xdotool mousemove $((ICON_X + ICON_WIDTH / 2)) $((ICON_Y + ICON_HEIGHT / 2)) click "$1"
}

# --- first launch: the welcome ----------------------------------------------------------
launch app-first.log
wait_for 30 "the welcome window" welcome_shown
welcome=$(welcome_window)
grep -q '"Velmora_HasSeenWelcome":true' "$store" || fail "the store does not hold the seen welcome while it is open"
# The client area's place on the screen (xdotool would give the frame's corner).
geometry() {  # geometry WINDOW PREFIX: sets PREFIX_X, _Y, _WIDTH, _HEIGHT from xwininfo
  local info; info=$(xwininfo -id "$1")
  eval "$2_X=$(sed -n 's/.*Absolute upper-left X: *//p' <<<"$info")"
  eval "$2_Y=$(sed -n 's/.*Absolute upper-left Y: *//p' <<<"$info")"
  eval "$2_WIDTH=$(sed -n 's/.*Width: *//p' <<<"$info")"
  eval "$2_HEIGHT=$(sed -n 's/.*Height: *//p' <<<"$info")"
}
geometry "$welcome" W
echo "e2e-desktop: welcome at ${W_X},${W_Y} ${W_WIDTH}x${W_HEIGHT}"
# Centred on the 1024x768 screen.
centre_x=$((W_X + W_WIDTH / 2)); centre_y=$((W_Y + W_HEIGHT / 2))
[ $((centre_x - 512)) -ge -2 ] && [ $((centre_x - 512)) -le 2 ] || fail "welcome centred at x=$centre_x, not 512"
[ $((centre_y - 384)) -ge -2 ] && [ $((centre_y - 384)) -le 2 ] || fail "welcome centred at y=$centre_y, not 384"
[ "$W_WIDTH" -eq 400 ] || fail "welcome is $W_WIDTH wide, not 400"
# Titled and closable only: the window manager offers neither resizing nor maximising.
actions=$(xprop -id "$welcome" _NET_WM_ALLOWED_ACTIONS)
grep -q CLOSE <<<"$actions" || fail "the welcome cannot be closed: $actions"
grep -Eq 'RESIZE|MAXIMIZE' <<<"$actions" && fail "the welcome can be resized or maximised: $actions"
# It took the focus, so Return reaches it.
wait_for 10 "the welcome to take the focus" is_active "$welcome"
if [ -n "$shot" ]; then
  sleep 0.5   # only the picture depends on the first frame being drawn
  "$shooter" "$shot" "$W_X" "$W_Y" "$W_WIDTH" "$W_HEIGHT" || fail "no screenshot"
  echo "e2e-desktop: screenshot saved to $shot"
fi
xdotool key Return
wait_for 20 "Return to close the welcome" welcome_gone
kill -0 "$app_pid" || fail "closing the welcome ended the game"

# --- the panel under a window manager ----------------------------------------------------
wait_for 30 "the tray icon" icon_present
click_icon 1
wait_for 30 "the panel to map" panel_shown
panel=$(panel_window)
state=$(state_of "$panel")
grep -q _NET_WM_STATE_SKIP_TASKBAR <<<"$state" || fail "the panel is not kept out of the taskbar: $state"
grep -q _NET_WM_STATE_SKIP_PAGER <<<"$state" || fail "the panel is not kept out of the pager: $state"
wait_for 10 "the panel to take the focus" is_active "$panel"
xdotool key Escape
wait_for 20 "Escape to hide the panel" panel_hidden

# A right click on the icon while the panel is open shows the menu at once. The click that
# opens the panel may come soon enough after the last one for the tray to call it a double click.
click_icon 1
wait_for 30 "the panel to map again" panel_shown
# The menu is one more top-level velmora window, besides the icon and the panel.
menu_window() {
  local id icon; icon=$(icon_window)
  for id in $(visible_windows); do
    [ "$id" = "$icon" ] && continue
    xprop -id "$id" _NET_WM_WINDOW_TYPE 2>/dev/null | grep -q UTILITY && continue
    echo "$id"; return
  done
}
menu_shown() { menu_window | grep -q .; }
menu_gone() { ! menu_shown; }
click_icon 3
wait_for 10 "the icon's menu after one right click" menu_shown
xdotool key Escape
wait_for 10 "the menu to close" menu_gone

# A click on another window hides the panel, and a click on the icon right after opens it
# again: it is a new click, not the one that took activation away.
xmessage -geometry 300x100+50+400 elsewhere >"$work/xmessage.log" 2>&1 &
pids+=($!)
other_shown() { xdotool search --onlyvisible --class '^Xmessage$' 2>/dev/null | grep -q .; }
wait_for 20 "another window" other_shown
panel_hidden || xdotool key Escape
wait_for 10 "no panel before the click elsewhere" panel_hidden
click_icon 1
wait_for 30 "the panel before the click elsewhere" panel_shown
panel=$(panel_window)
wait_for 10 "the panel to take the focus again" is_active "$panel"
xdotool mousemove 200 450 click 1
wait_for 10 "a click elsewhere to hide the panel" panel_hidden
click_icon 1
wait_for 10 "the panel right after the click elsewhere" panel_shown
xdotool key Escape

# --- the tray host restarts ----------------------------------------------------------------
tray_gone() { ! tray_host_up; }
stop_tray() { kill "$tray_pid"; wait "$tray_pid" 2>/dev/null || true; wait_for 20 "the tray host to go" tray_gone; }
stop_tray
start_tray_host
wait_for 20 "the new tray host" tray_host_up
wait_for 30 "the icon to come back" icon_present
kill -0 "$app_pid" || fail "the game ended with its tray host"
panel_hidden || xdotool key Escape
wait_for 10 "no panel" panel_hidden
click_icon 1
wait_for 30 "the panel from the new icon" panel_shown
xdotool key Escape
stop_app

# --- second launch: no welcome ----------------------------------------------------------------
launch app-second.log
wait_for 30 "the tray icon" icon_present
click_icon 1
wait_for 30 "the panel" panel_shown
# The welcome check runs on the first turn after start-up, long before the panel answers.
[ -z "$(xdotool search --name '^Welcome — Velmora$' 2>/dev/null)" ] || fail "the second launch opened a welcome window"
stop_app

# --- a tray host that comes up after the game ------------------------------------------------
stop_tray
launch app-late.log VELMORA_TRAY_WAIT=60
wait_for 30 "the game to wait for a tray" grep -q "waiting up to 60 s" "$work/app-late.log"
start_tray_host
wait_for 30 "the icon in the late tray" icon_present
panel_hidden || fail "the game opened a window although a tray came"
stop_app

# No tray within the wait: the ordinary window, said once on standard error.
stop_tray
launch app-none.log VELMORA_TRAY_WAIT=0.5
wait_for 30 "the game in a window" sh -c "xdotool search --onlyvisible --name '^Velmora$' | grep -q ."
grep -q "no system tray found; opening the game in a window" "$work/app-none.log" || fail "no word about the missing tray"
stop_app
echo "e2e-desktop: PASS"
