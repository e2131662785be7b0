# Sourced by the scripts that drive the real program: a private Xvfb display with an XEmbed
# tray host (trayer, or stalonetray where the release has no trayer), torn down together
# with everything started in it when the script ends.
# The caller sets `work` (a scratch folder, removed at exit) and `xsession_name` (message
# prefix), may set `poll` (seconds between checks) and may define `on_failure` (runs, with
# its output on stderr, when the script ends with an error).

pids=()
xsession_cleanup() {
  local status=$?
  # The screen is described while it is still up; the logs are read once everything has ended.
  [ $status -ne 0 ] && [ -n "${DISPLAY:-}" ] && describe_windows >&2
  for ((i=${#pids[@]}-1; i>=0; i--)); do kill "${pids[i]}" 2>/dev/null || true; done
  for pid in "${pids[@]}"; do wait "$pid" 2>/dev/null || true; done
  if [ $status -ne 0 ] && declare -F on_failure >/dev/null; then on_failure >&2; fi
  rm -rf "$work"
  exit $status
}
trap xsession_cleanup EXIT INT TERM

fail() { echo "$xsession_name: FAIL: $*" >&2; exit 1; }
# wait_for SECONDS DESCRIPTION COMMAND...: polls the command until it succeeds.
wait_for() {
  local seconds=$1 what=$2; shift 2
  local deadline=$((SECONDS + seconds))
  until "$@" >/dev/null 2>&1; do
    [ $SECONDS -lt $deadline ] || fail "timed out after ${seconds}s waiting for $what"
    sleep "${poll:-0.05}"
  done
}

visible_windows() { xdotool search --onlyvisible --class '^velmora$' 2>/dev/null || true; }
# What the screen showed when a check failed: the game's windows and which one was active.
describe_windows() {
  local id
  echo "--- the game's visible windows (active: $(xdotool getactivewindow 2>/dev/null || echo none)):"
  for id in $(visible_windows); do
    echo "$id $(xdotool getwindowgeometry "$id" 2>/dev/null | tr -s ' \n' ' ')" \
         "$(xprop -id "$id" _NET_WM_WINDOW_TYPE WM_NAME 2>/dev/null | tr '\n' ' ')"
  done
}
icon_shown() { visible_windows | grep -q .; }

# The tray host: trayer where the release has it (the tests' figures were taken with it),
# else stalonetray (Debian testing dropped trayer). Either is a 24-pixel tray at the top
# right corner of the screen, so an icon sits in the same place under both.
tray_host=""
for candidate in trayer stalonetray; do
  command -v "$candidate" >/dev/null && { tray_host=$candidate; break; }
done
[ -n "$tray_host" ] || fail "no XEmbed tray host: neither trayer nor stalonetray (run scripts/deps.sh)"
case $tray_host in
  trayer) tray_host_class='("panel" "trayer")' ;;
  stalonetray) tray_host_class='("stalonetray" "stalonetray")' ;;
esac
# start_tray_host: starts the tray host, its output appended to $work/tray-host.log; sets
# tray_pid.
start_tray_host() {
  case $tray_host in
    trayer)
      trayer --edge top --align right --widthtype pixel --width 200 --height 24 \
        >>"$work/tray-host.log" 2>&1 & ;;
    stalonetray)
      # Grows leftwards from the corner as icons dock. Like trayer it reserves no strut, so
      # the screen's work area, where windows are centred, stays the whole screen.
      stalonetray --geometry 1x1-0+0 --icon-size 24 --slot-size 24 --grow-gravity NE \
        --icon-gravity NE --window-type dock --decorations none --window-strut none \
        -bg '#cccccc' >>"$work/tray-host.log" 2>&1 & ;;
  esac
  tray_pid=$!
  pids+=($tray_pid)
}
# Reads the whole tree: `grep -q` would stop at the match, and xwininfo, still writing a long
# tree, would die of SIGPIPE and fail the check under pipefail though the host is there.
tray_host_up() { xwininfo -root -tree | grep -F "$tray_host_class" >/dev/null; }

# Starts the display (Xvfb picks a free number and tells it through a file descriptor) and
# the tray host, and points the program's files and Qt at them.
xsession_start() {
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

  start_tray_host
  wait_for 20 "the tray host ($tray_host)" tray_host_up
}
