#!/usr/bin/env bash
# Runs one command beside the real screen reader: the private session of atspi-session.sh
# (Xvfb, session bus, accessibility bus), the openbox window manager, speech-dispatcher
# writing every utterance as one line to a file instead of a sound card, and Orca itself.
# The command finds the file in $VELMORA_SPOKEN and Orca's debug log in $VELMORA_ORCA_LOG.
# Exits 77 (skipped) when Orca is not installed; otherwise with the command's status.
#
#   scripts/lib/orca-session.sh COMMAND [ARGS...]
#   scripts/lib/orca-session.sh /usr/bin/python3 tests/app/atspi/test_orca.py build-test/app/velmora
set -euo pipefail
[ $# -ge 1 ] || { echo "usage: orca-session.sh COMMAND [ARGS...]" >&2; exit 2; }
here=$(cd "$(dirname "$0")" && pwd)

if [ "${VELMORA_ORCA_INSIDE:-}" != 1 ]; then
  for tool in orca speech-dispatcher openbox; do
    command -v "$tool" >/dev/null || { echo "orca: $tool is not installed: skipped" >&2; exit 77; }
  done
  VELMORA_ORCA_INSIDE=1 exec bash "$here/atspi-session.sh" bash "$0" "$@"
fi

# Inside the accessibility session: everything started here is in this script's process
# group, which atspi-session.sh ends when the command ends.
work=$(mktemp -d /tmp/velmora-orca.XXXXXX)
pids=()
cleanup() {
  local status=$?
  for ((i=${#pids[@]}-1; i>=0; i--)); do kill "${pids[i]}" 2>/dev/null || true; done
  for pid in "${pids[@]}"; do wait "$pid" 2>/dev/null || true; done
  if [ $status -ne 0 ] && [ $status -ne 77 ]; then
    echo "--- spoken:" >&2; cat "$work/spoken.txt" >&2 2>/dev/null || true
    echo "--- end of Orca's debug log:" >&2; tail -n 60 "$work/orca.debug" >&2 2>/dev/null || true
  fi
  rm -rf "$work"
  exit $status
}
trap cleanup EXIT INT TERM
fail() { echo "orca: FAIL: $*" >&2; exit 1; }
wait_for() {
  local seconds=$1 what=$2; shift 2
  local deadline=$((SECONDS + seconds))
  until "$@" >/dev/null 2>&1; do
    [ $SECONDS -lt $deadline ] || fail "timed out after ${seconds}s waiting for $what"
    sleep 0.1
  done
}

# A home of its own: Orca's settings, speech-dispatcher's configuration and socket.
export HOME="$work/home" XDG_DATA_HOME="$work/home/.local/share" XDG_CACHE_HOME="$work/home/.cache"
mkdir -p "$HOME" "$XDG_DATA_HOME" "$XDG_CACHE_HOME" "$XDG_CONFIG_HOME/speech-dispatcher/modules" "$work/prefs"

# Each utterance appended to the file as one line; idle for 5 s, the daemon ends itself.
spoken="$work/spoken.txt"
: >"$spoken"
cat >"$XDG_CONFIG_HOME/speech-dispatcher/speechd.conf" <<EOF
Timeout 5
DefaultModule spokenfile
AddModule "spokenfile" "sd_generic" "$XDG_CONFIG_HOME/speech-dispatcher/modules/spokenfile.conf"
AudioOutputMethod "libao"
EOF
cat >"$XDG_CONFIG_HOME/speech-dispatcher/modules/spokenfile.conf" <<EOF
GenericExecuteSynth "echo \\'\$DATA\\' >> $spoken"
GenericLanguage "en" "en" "utf-8"
AddVoice "en" "MALE1" "en"
EOF

# Orca refuses to start while another Orca of the same user runs, and --replace would end
# every one of them on this machine: a pgrep that finds nothing, early on Orca's PATH only.
mkdir -p "$work/bin"
printf '#!/bin/sh\nexit 1\n' >"$work/bin/pgrep"
chmod +x "$work/bin/pgrep"

# at-spi2-core 2.62 (Debian testing) no longer has this property; where it exists, it is set.
if dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus \
     org.freedesktop.DBus.Introspectable.Introspect | grep -q '"ScreenReaderEnabled"'; then
  dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus \
    org.freedesktop.DBus.Properties.Set string:org.a11y.Status string:ScreenReaderEnabled variant:boolean:true \
    >/dev/null || fail "could not mark the screen reader as enabled"
fi
gsettings set org.gnome.desktop.interface toolkit-accessibility true 2>/dev/null || true

openbox >"$work/openbox.log" 2>&1 &
pids+=($!)

PATH="$work/bin:$PATH" orca -u "$work/prefs" --debug-file="$work/orca.debug" >"$work/orca.log" 2>&1 &
pids+=($!)
orca_ready() { grep -q "SPEECH OUTPUT" "$work/orca.debug"; }
wait_for 60 "Orca to speak" orca_ready

export VELMORA_SPOKEN="$spoken" VELMORA_ORCA_LOG="$work/orca.debug"
"$@"
