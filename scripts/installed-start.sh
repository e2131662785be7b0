#!/usr/bin/env bash
# Starts the installed game the way a new user meets it after `apt install ./velmora_*.deb`,
# on a private X display with a fresh home: first with a tray host (the welcome window, then
# a click on the icon drops the panel down), then without one (the game opens as an ordinary
# window once it gives up waiting for a tray). Saves a screenshot of each step in OUT_DIR.
#
#   scripts/installed-start.sh [OUT_DIR] [PROGRAM]     (PROGRAM: /usr/games/velmora)
set -euo pipefail

out=${1:-.}
app=${2:-/usr/games/velmora}
for tool in Xvfb xdotool xwininfo import; do
  command -v "$tool" >/dev/null || { echo "installed-start: $tool is missing" >&2; exit 1; }
done
[ -x "$app" ] || { echo "installed-start: $app is not installed" >&2; exit 1; }
mkdir -p "$out"
out=$(cd "$out" && pwd)

work=$(mktemp -d /tmp/velmora-installed.XXXXXX)
xsession_name=installed-start
on_failure() { for log in "$work"/app*.log; do [ -f "$log" ] && { echo "--- $(basename "$log"):"; cat "$log"; }; done; }
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib/xsession.sh"
xsession_start
export HOME="$work/home" LANG=C.UTF-8
mkdir -p "$HOME"

shoot() { import -window root "$out/$1" && echo "installed-start: screenshot $out/$1"; }
# The game's windows by size: the icon is small, the welcome, panel and window are not.
windows_larger_than() {
  local id
  for id in $(visible_windows); do
    eval "$(xdotool getwindowgeometry --shell "$id" 2>/dev/null | sed 's/^/G_/')" || continue
    [ "${G_WIDTH:-0}" -gt "$1" ] && [ "${G_HEIGHT:-0}" -gt "$1" ] && echo "$id"
  done
  return 0
}
big_window() { windows_larger_than 64 | grep -q .; }
icon_window() {
  local id
  for id in $(visible_windows); do
    eval "$(xdotool getwindowgeometry --shell "$id" 2>/dev/null | sed 's/^/G_/')" || continue
    [ "${G_WIDTH:-99}" -le 32 ] && [ "${G_HEIGHT:-99}" -le 32 ] && { echo "$id"; return 0; }
  done
  return 0
}
icon_docked() { icon_window | grep -q .; }
welcome_shown() { xdotool search --onlyvisible --name '^Welcome — Velmora$' | grep -q .; }
panel_shown() { [ "$(windows_larger_than 64 | wc -l)" -ge 1 ] && ! welcome_shown; }
report() { echo "installed-start: $1:"; xwininfo -root -tree | grep -i velmora | sed 's/^ */  /'; }

# --- with a tray host ------------------------------------------------------------------------
"$app" >"$work/app-tray.log" 2>&1 &
app_pid=$!; pids+=($app_pid)
wait_for 60 "the welcome window" welcome_shown
wait_for 30 "the icon in the $tray_host tray" icon_docked
report "with $tray_host"
shoot with-tray-welcome.png
# Return closes the window on the key press, so sending the release fails: the wait below
# is the check.
xdotool key --window "$(xdotool search --onlyvisible --name '^Welcome — Velmora$' | head -n1)" Return 2>/dev/null || true
welcome_gone() { ! welcome_shown; }
wait_for 20 "the welcome to close" welcome_gone
# The release that could not be sent leaves Return held down in the server, whose key
# repeat would then press it on whatever window takes the focus next (the window-mode
# game below: its focused first tile got uncovered with no one touching it).
xdotool keyup Return 2>/dev/null || true
icon=$(icon_window)
eval "$(xdotool getwindowgeometry --shell "$icon" | sed 's/^/ICON_/')"
xdotool mousemove $((ICON_X + ICON_WIDTH / 2)) $((ICON_Y + ICON_HEIGHT / 2)) click 1
wait_for 30 "the panel" panel_shown
report "the panel open"
shoot with-tray-panel.png
kill -TERM "$app_pid"; wait "$app_pid" || fail "the game ended with status $? on SIGTERM"

# --- without a tray host -----------------------------------------------------------------------
kill "$tray_pid"; wait "$tray_pid" 2>/dev/null || true
tray_gone() { ! tray_host_up; }
wait_for 20 "the tray host to go" tray_gone
"$app" >"$work/app-window.log" 2>&1 &
app_pid=$!; pids+=($app_pid)
# It waits for a tray for a while first (ten seconds unless told otherwise).
wait_for 60 "the game's window" big_window
report "without a tray"
shoot without-tray.png
kill -TERM "$app_pid"; wait "$app_pid" || fail "the game ended with status $? on SIGTERM"
echo "installed-start: PASS"
