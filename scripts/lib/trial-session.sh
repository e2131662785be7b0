# One desktop trial, run by scripts/trial-desktops.sh inside its own dbus-run-session:
#
#   bash scripts/lib/trial-session.sh DESKTOP PATH/TO/velmora OUT SESSION
#
# SESSION is a scratch folder that holds HOME; it is removed at the end.
# Starts a private Xvfb (chosen with -displayfd; or the desktop's own XWayland), the desktop,
# then the game over a temporary store, and checks from outside what a player meets. Writes one PASS/FAIL line per check to
# OUT/results.txt (and to standard output), notes with the figures to OUT/notes.txt, and keeps
# its screenshots in OUT. Everything it starts is ended by PID when it returns.
set -uo pipefail

desktop=$1 app=$2 out=$3 session=$4
here=$(cd "$(dirname "$0")" && pwd)
image() { /usr/bin/python3 "$here/trial-image.py" "$@"; }
mkdir -p "$out"
: >"$out/results.txt"
: >"$out/notes.txt"

pass() { echo "PASS $desktop: $*" | tee -a "$out/results.txt"; }
failed() { echo "FAIL $desktop: $*" | tee -a "$out/results.txt"; }
note() { echo "     $desktop: $*" | tee -a "$out/notes.txt"; }
# check DESCRIPTION COMMAND...: one PASS or FAIL line.
check() {
  local what=$1; shift
  if "$@"; then pass "$what"; else failed "$what"; fi
}

pids=()
cleanup() {
  for ((i=${#pids[@]}-1; i>=0; i--)); do kill "${pids[i]}" 2>/dev/null || true; done
  for pid in "${pids[@]}"; do wait "$pid" 2>/dev/null || true; done
  # Desktop services started through the session bus are not our children; they carry the
  # trial's tag in their environment, which finds them (and only them) by PID.
  local p ancestors=" " up=$$
  # Never the trial's own line of parents (dbus-run-session, timeout), which carry the tag too.
  while [ "$up" -gt 1 ]; do ancestors+="$up "; up=$(awk '{print $4}' "/proc/$up/stat" 2>/dev/null || echo 1); done
  for p in /proc/[0-9]*; do
    [[ "$ancestors" == *" ${p#/proc/} "* ]] && continue
    { tr '\0' '\n' <"$p/environ" | grep -qx "VELMORA_TRIAL_TAG=$VELMORA_TRIAL_TAG"; } 2>/dev/null &&
      kill "${p#/proc/}" 2>/dev/null
  done
  rm -rf "$session"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

# wait_for SECONDS COMMAND...: polls until the command succeeds; false when time runs out.
wait_for() {
  local deadline=$((SECONDS + $1)); shift
  until "$@" >/dev/null 2>&1; do
    [ $SECONDS -lt $deadline ] || return 1
    sleep 0.1
  done
}

# How the trial looks at the screen and works the pointer and keys: X11 here, through the X
# server the desktop runs on. A desktop whose shell is no X client (GNOME on Wayland) defines
# its own in its trial-desktop-*.sh.
grab_screen() { import -window root -depth 8 "ppm:$1" 2>/dev/null; }
move_pointer() { xdotool mousemove "$1" "$2"; }
# click_at X Y BUTTON [COUNT]: COUNT clicks 120 ms apart.
click_at() { xdotool mousemove "$1" "$2" click --repeat "${4:-1}" --delay 120 "$3"; }
press_keys() { xdotool key "$@"; }
# "Open Velmora", the first entry of the icon's open menu, chosen as a player would.
choose_first_menu_entry() { press_keys Down Return; }

shot_count=0
# shot NAME: a screenshot kept as OUT/NN-NAME.png; its PPM stays in the session folder as
# $session/NAME.ppm for arithmetic.
shot() {
  shot_count=$((shot_count + 1))
  grab_screen "$session/$1.ppm" || return 1
  cp "$session/$1.ppm" "$session/keep.ppm"
  image png "$session/keep.ppm" "$out/$(printf %02d $shot_count)-$1.png"
}

# --- the display and the desktop -------------------------------------------------------------

# HOME and the XDG folders are the session's own (trial-desktops.sh set them before the bus
# started, so the services it starts use them too).
[ "$HOME" = "$session/home" ] || { failed "run by trial-desktops.sh only"; exit 2; }
unset WAYLAND_DISPLAY SESSION_MANAGER
export LIBGL_ALWAYS_SOFTWARE=1 NO_AT_BRIDGE=1
SCREEN_W=1280 SCREEN_H=800
source "$here/trial-desktop-$desktop.sh" || { failed "no such desktop: $desktop"; exit 1; }

# A desktop that brings its own X server (XWayland) sets DISPLAY in start_desktop.
if [ -z "${TRIAL_OWN_DISPLAY:-}" ]; then
  exec 3>"$session/display"
  Xvfb -displayfd 3 -screen 0 ${SCREEN_W}x${SCREEN_H}x24 -nolisten tcp -noreset >"$session/xvfb.log" 2>&1 &
  pids+=($!)
  exec 3>&-
  wait_for 20 test -s "$session/display" || { failed "Xvfb did not start"; exit 1; }
  DISPLAY=":$(head -n1 "$session/display")"
  export DISPLAY
  wait_for 20 xwininfo -root || { failed "the X server did not answer"; exit 1; }
fi

# GNOME Shell wants a system bus; a second private session bus stands in for it.
start_system_bus_stand_in() {
  dbus-daemon --session --nofork --print-address=4 4>"$session/system-bus" >/dev/null 2>&1 &
  pids+=($!)
  wait_for 10 test -s "$session/system-bus" || return 1
  DBUS_SYSTEM_BUS_ADDRESS=$(head -n1 "$session/system-bus")
  export DBUS_SYSTEM_BUS_ADDRESS
}

host_registered() {
  dbus-send --session --print-reply --dest=org.kde.StatusNotifierWatcher /StatusNotifierWatcher \
    org.freedesktop.DBus.Properties.Get string:org.kde.StatusNotifierWatcher \
    string:IsStatusNotifierHostRegistered 2>/dev/null | grep -q 'boolean true'
}

# selection_owned NAME: some client owns the X selection (a tray host owns _NET_SYSTEM_TRAY_S0,
# a settings daemon _XSETTINGS_S0).
selection_owned() {
  /usr/bin/python3 - "$1" <<'PY'
import ctypes, ctypes.util, sys
x = ctypes.cdll.LoadLibrary(ctypes.util.find_library("X11"))
x.XOpenDisplay.restype = ctypes.c_void_p
x.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
x.XInternAtom.restype = ctypes.c_ulong
x.XGetSelectionOwner.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
x.XGetSelectionOwner.restype = ctypes.c_ulong
d = x.XOpenDisplay(None)
sys.exit(0 if d and x.XGetSelectionOwner(d, x.XInternAtom(d, sys.argv[1].encode(), 0)) else 1)
PY
}
tray_selection_owned() { selection_owned _NET_SYSTEM_TRAY_S0; }

if ! start_desktop; then
  failed "the desktop did not start (logs kept in $out)"
  cp "$session"/*.log "$out/" 2>/dev/null
  exit 1
fi
note "desktop up: $(desktop_version)"

# The strip of the screen that holds the tray: what the desktop keeps out of the work area
# (once its panel is up).
work_area() { xprop -root _NET_WORKAREA | sed 's/.*= //; s/,//g' | awk '{print $1, $2, $3, $4}'; }
panel_reserved() { work_area | awk -v h=$SCREEN_H '{ exit !($2 > 0 || $2 + $4 < h) }'; }
wait_for 60 panel_reserved
read -r WA_X WA_Y WA_W WA_H < <(work_area)
if [ "${WA_Y:-0}" -gt 0 ]; then
  BAR_EDGE=top BAR_Y0=0 BAR_Y1=$WA_Y
elif [ $((WA_Y + WA_H)) -lt $SCREEN_H ]; then
  BAR_EDGE=bottom BAR_Y0=$((WA_Y + WA_H)) BAR_Y1=$SCREEN_H
else
  failed "no panel found (work area ${WA_X},${WA_Y} ${WA_W}x${WA_H})"
  shot no-panel
  exit 1
fi
note "panel strip at the $BAR_EDGE: y $BAR_Y0..$BAR_Y1"

# --- the game ---------------------------------------------------------------------------------

move_pointer $((SCREEN_W / 2)) $((SCREEN_H / 2))
settle_desktop
# The panel finishes drawing (pagers, late applets) before the picture the icon is found against.
strip_still() {
  grab_screen "$session/still.ppm" || return 1
  local moved=1
  [ -f "$session/still-last.ppm" ] &&
    moved=$(image changed "$session/still-last.ppm" "$session/still.ppm" 0 "$BAR_Y0" "$SCREEN_W" "$BAR_Y1")
  mv "$session/still.ppm" "$session/still-last.ppm"
  [ "$moved" = 0 ] || { sleep 1; return 1; }
}
wait_for 30 strip_still || note "the panel strip kept changing for 30 s"
shot before-icon
store="$session/defaults.json"
# A returning player: the first-start welcome is marked as shown.
echo '{"Velmora_HasSeenWelcome":true}' >"$store"
# The X11 platform unless the desktop leaves the choice to the game (TRIAL_QPA_PLATFORM empty).
if [ -n "${TRIAL_QPA_PLATFORM-xcb}" ]; then export QT_QPA_PLATFORM=${TRIAL_QPA_PLATFORM-xcb}; else unset QT_QPA_PLATFORM; fi
export QT_QUICK_BACKEND=software
export ASAN_OPTIONS="detect_leaks=0${ASAN_OPTIONS:+:$ASAN_OPTIONS}"
"$app" --defaults "$store" >"$out/app.log" 2>&1 &
app_pid=$!
pids+=("$app_pid")

# The icon: what appeared in the right-hand part of the panel strip once the game started
# (the leftmost changed cluster there, so a clock ticking to its right is not taken for it).
icon_found() {
  grab_screen "$session/after.ppm" || return 1
  local found
  found=$(image icon "$session/before-icon.ppm" "$session/after.ppm" $((SCREEN_W * 6 / 10)) "$BAR_Y0" "$SCREEN_W" "$BAR_Y1")
  eval "$found"
  [ "${ICON_PIXELS:-0}" -gt 20 ] || return 1
  # Only a neighbour that moved (Plasma's tray shifts its items as ours comes in): keep waiting.
  awk -v m="${MOVED_SHARE:-1}" 'BEGIN { exit !(m < 0.95) }' || return 1
  # Twice the same: the host has finished drawing (and moving) it.
  [ "$found" = "${last_found:-}" ] && return 0
  last_found=$found
  return 1
}
if ! wait_for 60 icon_found; then
  failed "tray icon shown within 60 s"
  shot no-icon
  exit 1
fi
pass "tray icon shown (symbol at ${ICON_X},${ICON_Y} ${ICON_W}x${ICON_H})"
cp "$session/after.ppm" "$session/keep.ppm"
shot_count=$((shot_count + 1)); image png "$session/keep.ppm" "$out/$(printf %02d $shot_count)-icon.png"
ICON_CX=$((ICON_X + ICON_W / 2)) ICON_CY=$((ICON_Y + ICON_H / 2))
# The clickable item is larger than the symbol's pixels; its middle is the symbol's middle.

contrast=$(awk -v s="$SYMBOL_LUM" -v p="$PANEL_LUM" 'BEGIN { d = s - p; if (d < 0) d = -d; printf "%.1f", d * 100 / 255 }')
note "symbol: $ICON_PIXELS pixels, mean luminance $SYMBOL_LUM; panel behind it $PANEL_LUM (of 255)"
check "symbol contrast ${contrast}% of full range (>= 40%)" awk -v c="$contrast" 'BEGIN { exit !(c >= 40) }'

# --- the panel seen from outside --------------------------------------------------------------

# The game's shown windows larger than an icon (XEmbed icons are the game's windows too).
panel_window() {
  local id
  for id in $(xdotool search --onlyvisible --pid "$app_pid" 2>/dev/null); do
    eval "$(xdotool getwindowgeometry --shell "$id" | sed 's/^/W_/')"
    if [ "$W_WIDTH" -ge 100 ] && [ "$W_HEIGHT" -ge 100 ]; then echo "$id"; return 0; fi
  done
  return 1
}
panel_shown() { panel_window >/dev/null; }
panel_hidden() { ! panel_shown; }
PANEL=""

# near_icon ID: the window's edge lies along the panel strip at the icon and spans the icon's
# middle; prints the figures.
near_icon() {
  eval "$(xdotool getwindowgeometry --shell "$1" | sed 's/^/P_/')"
  local gap
  if [ "$BAR_EDGE" = top ]; then gap=$((P_Y - ICON_Y - ICON_H)); else gap=$((ICON_Y - P_Y - P_HEIGHT)); fi
  note "panel at ${P_X},${P_Y} ${P_WIDTH}x${P_HEIGHT}; icon middle at ${ICON_CX},${ICON_CY}; gap to the symbol ${gap} px"
  [ "$gap" -ge -2 ] && [ "$gap" -le 48 ] && [ "$ICON_CX" -ge $((P_X - 8)) ] && [ "$ICON_CX" -le $((P_X + P_WIDTH + 8)) ] &&
    [ "$P_X" -ge 0 ] && [ $((P_X + P_WIDTH)) -le $SCREEN_W ] && [ "$P_Y" -ge 0 ] && [ $((P_Y + P_HEIGHT)) -le $SCREEN_H ]
}

close_panel() {
  panel_shown || return 0
  press_keys Escape
  wait_for 3 panel_hidden && return 0
  click_at 200 $((SCREEN_H / 2)) 1
  wait_for 3 panel_hidden
}

# Whatever the host shows instead of the game (its menu) is taken down before the next check.
dismiss_host_popup() {
  press_keys Escape
  sleep 0.5
}

# Not in the task list: a shown panel is either no managed client or skips the taskbar. Looked
# at once, the first time the panel is open, whichever way it opened.
task_list_checked=""
task_list_check() {
  [ -z "$task_list_checked" ] && [ -n "$PANEL" ] && panel_shown || return 0
  task_list_checked=yes
  local hex states listed
  hex=$(printf '0x%x' "$PANEL")
  states=$(xprop -id "$PANEL" _NET_WM_STATE 2>/dev/null | sed 's/.*= //')
  listed=$(xprop -root _NET_CLIENT_LIST | grep -qw "$hex" && echo yes || echo no)
  note "panel $hex: _NET_WM_STATE $states; in _NET_CLIENT_LIST: $listed"
  if [ "$listed" = no ] || grep -q _NET_WM_STATE_SKIP_TASKBAR <<<"$states"; then
    pass "the open panel is in no task list (skips the taskbar or is unmanaged)"
  else
    failed "the open panel is in no task list (it is a managed client without SKIP_TASKBAR)"
  fi
}

# 1. The first open goes through the icon's menu: "Open Velmora" is its first entry.
click_at "$ICON_CX" "$ICON_CY" 3
sleep 1.5   # the host draws its menu; nothing outside can see it but the picture
shot icon-menu
choose_first_menu_entry
if wait_for 5 panel_shown; then
  PANEL=$(panel_window)
  sleep 0.8   # mapped is enough for the check; the picture waits for the host's menu to fade
  shot panel-from-menu
  check "first open from the icon's menu: the panel is next to the icon" near_icon "$PANEL"
  task_list_check
else
  failed "first open from the icon's menu (Down, Return): no panel within 5 s"
  dismiss_host_popup
fi
close_panel || note "the panel did not close on Escape or a click outside"
sleep 0.6

# 2. One left click opens the panel.
click_at "$ICON_CX" "$ICON_CY" 1
if wait_for 4 panel_shown; then
  PANEL=$(panel_window)
  pass "single left click opens the panel"
  sleep 0.5
  shot single-click
  check "single left click: the panel is next to the icon" near_icon "$PANEL"
else
  shot single-click
  # What the host drew under the icon instead (GNOME's extension: the icon's menu).
  if [ "$BAR_EDGE" = top ]; then
    below=$(image changed "$session/before-icon.ppm" "$session/single-click.ppm" $((ICON_CX - 200)) "$BAR_Y1" \
      $((ICON_CX + 200)) $((BAR_Y1 + 150)))
  else
    below=$(image changed "$session/before-icon.ppm" "$session/single-click.ppm" $((ICON_CX - 200)) $((BAR_Y0 - 150)) \
      $((ICON_CX + 200)) "$BAR_Y0")
  fi
  failed "single left click opens the panel (no panel within 4 s; ${below:-0} pixels changed next to the icon: the host's menu if many)"
  dismiss_host_popup
fi
task_list_check
close_panel || note "the panel did not close on Escape or a click outside"
sleep 0.6

# 4. A double click leaves it open: every map and unmap of the panel across it is recorded.
if [ -z "$PANEL" ]; then
  # Only a double click may have opened it: find it afterwards.
  click_at "$ICON_CX" "$ICON_CY" 1 2
  if wait_for 4 panel_shown; then PANEL=$(panel_window); sleep 1.5
    if panel_shown; then pass "double click leaves the panel open (unrecorded: no earlier panel)"
    else failed "double click: the panel opened and closed again"; fi
  else
    failed "double click opens the panel: nothing within 4 s"
  fi
  shot double-click
else
  xev -id "$PANEL" -event structure >"$session/xev.log" 2>&1 &
  xev_pid=$!
  pids+=("$xev_pid")
  sleep 0.5
  click_at "$ICON_CX" "$ICON_CY" 1 2
  wait_for 4 panel_shown
  sleep 1.5   # a second activation that closes it comes within this
  task_list_check
  shot double-click
  kill "$xev_pid" 2>/dev/null
  events=$(grep -oE '^(MapNotify|UnmapNotify)' "$session/xev.log" | tr '\n' ' ')
  note "double click: panel events: ${events:-none}"
  if panel_shown && ! grep -q UnmapNotify <<<"$events"; then
    pass "double click leaves the panel open, no flash"
  elif panel_shown; then
    failed "double click: the panel flashed (closed and opened again) but is open"
  else
    failed "double click leaves the panel open (it is closed${events:+; events: $events})"
  fi
fi
[ -n "$task_list_checked" ] || task_list_check
[ -n "$task_list_checked" ] || failed "the open panel is in no task list: the panel never stayed open to look at"
close_panel || true
exit 0
