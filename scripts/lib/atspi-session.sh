#!/usr/bin/env bash
# Runs one command inside a private desktop session that assistive technology can read:
# an Xvfb display with the tray host (lib/xsession.sh), a D-Bus session bus and the AT-SPI
# accessibility bus with its registry. Qt programs started inside expose their accessibility
# tree on it. Everything started here, including what the buses start on demand, is ended
# when the command ends; the script exits with the command's status.
#
#   scripts/lib/atspi-session.sh COMMAND [ARGS...]
#   scripts/lib/atspi-session.sh /usr/bin/python3 tests/app/atspi/test_board.py build-test/app/velmora
set -euo pipefail
[ $# -ge 1 ] || { echo "usage: atspi-session.sh COMMAND [ARGS...]" >&2; exit 2; }

launcher=/usr/libexec/at-spi-bus-launcher
for tool in Xvfb xdotool xwininfo dbus-daemon dbus-send "$launcher"; do
  command -v "$tool" >/dev/null || { echo "atspi: $tool is missing (run scripts/deps.sh)" >&2; exit 1; }
done

work=$(mktemp -d /tmp/velmora-atspi.XXXXXX)
xsession_name=atspi
here=$(cd "$(dirname "$0")" && pwd)
source "$here/xsession.sh"

# Job control puts every process started below in a process group of its own, and the
# services a bus activates by itself (the accessibility registry, the accessibility bus's
# own daemon) land in the group of the bus that started them. Ending each started process's
# group therefore ends those too, and nothing else.
set -m
# Last started, first ended, each given time to finish: the test ends the program it started
# while the display and the buses are still there.
end_groups() {
  local status=$? pid
  set +e +m  # the jobs ended here are ours to end: no "Terminated" notices, no early exit
  for ((i=${#pids[@]}-1; i>=0; i--)); do
    pid=${pids[i]}
    kill -TERM -- "-$pid" 2>/dev/null
    for _ in $(seq 300); do kill -0 -- "-$pid" 2>/dev/null || break; sleep 0.05; done
    kill -KILL -- "-$pid" 2>/dev/null
  done
  (exit $status)
  xsession_cleanup
}
trap end_groups EXIT INT TERM

xsession_start

# The session bus: the address comes back through a file descriptor, as Xvfb's display does.
exec 4>"$work/bus"
dbus-daemon --session --nofork --nopidfile --print-address=4 >"$work/dbus.log" 2>&1 &
pids+=($!)
exec 4>&-
wait_for 20 "the session bus to report its address" test -s "$work/bus"
DBUS_SESSION_BUS_ADDRESS=$(head -n1 "$work/bus")
export DBUS_SESSION_BUS_ADDRESS

# The accessibility bus, started by us rather than on demand so that it is up before the
# program looks for it. The name check does not activate a second launcher, as asking the
# name itself would.
a11y_bus_named() {
  dbus-send --session --print-reply --dest=org.freedesktop.DBus / \
    org.freedesktop.DBus.NameHasOwner string:org.a11y.Bus | grep -q 'boolean true'
}
"$launcher" --launch-immediately >"$work/a11y.log" 2>&1 &
pids+=($!)
wait_for 20 "the accessibility bus" a11y_bus_named
dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus \
  org.freedesktop.DBus.Properties.Set string:org.a11y.Status string:IsEnabled variant:boolean:true \
  >/dev/null || fail "could not switch accessibility on"
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
# Under the sanitized build: leaks inside system libraries are known and listed.
export LSAN_OPTIONS="suppressions=$here/../../tests/lsan-system.supp:fast_unwind_on_malloc=0:print_suppressions=0${LSAN_OPTIONS:+:$LSAN_OPTIONS}"

on_failure() {
  for log in dbus a11y; do
    if [ -s "$work/$log.log" ]; then echo "--- $log output:"; cat "$work/$log.log"; fi
  done
}

# In the background so that its group, too, is ended should it leave something running.
"$@" &
command_pid=$!
pids+=($command_pid)
wait "$command_pid"
