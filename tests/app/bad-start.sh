#!/usr/bin/env bash
# Start-up failures the user sees: one clear line (plus the usage for a bad argument) and a
# non-zero status, never a toolkit abort.
#   bad-start.sh path/to/velmora
set -uo pipefail
app=${1:?usage: bad-start.sh path/to/velmora}
runtime=$(mktemp -d /tmp/velmora-bad-start.XXXXXX)
chmod 700 "$runtime"
trap 'rm -rf "$runtime"' EXIT
failures=0

# expect STATUS LINES PATTERN command...: the command ends with STATUS and prints LINES lines,
# one of them matching PATTERN.
expect() {
  local status=$1 want_lines=$2 pattern=$3; shift 3
  local output got
  output=$(timeout 30 "$@" 2>&1); got=$?
  local lines; lines=$(printf '%s\n' "$output" | grep -c .)
  if [ "$got" -ne "$status" ] || [ "$lines" -ne "$want_lines" ] || ! grep -q -- "$pattern" <<<"$output"; then
    echo "FAIL: $* -> status $got (want $status), output:" >&2
    printf '%s\n' "$output" >&2
    failures=$((failures + 1))
  fi
}

# A UTF-8 locale, because without one Qt adds its own warning line; leaks in the system
# libraries (Qt 6.8's services at start-up) are suppressed without listing what was.
here=$(cd "$(dirname "$0")" && pwd)
export LSAN_OPTIONS="suppressions=$here/../lsan-system.supp:fast_unwind_on_malloc=0:print_suppressions=0${LSAN_OPTIONS:+:$LSAN_OPTIONS}"
clean=(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM -u LC_ALL LANG=C.UTF-8 XDG_RUNTIME_DIR="$runtime")
expect 1 1 "no display found" "${clean[@]}" "$app" --defaults "$runtime/d.json"
# A display that is named but not there (no server listens on this number).
expect 1 1 "cannot open the display" "${clean[@]}" DISPLAY=:987 "$app" --defaults "$runtime/d.json"
expect 2 2 "unknown argument: --bogus" "${clean[@]}" "$app" --bogus
expect 2 2 "text-scale needs a positive number" "${clean[@]}" "$app" --text-scale 0

# A folder at the store's path is left alone, and nothing claims it was set aside.
mkdir -p "$runtime/folder" && touch "$runtime/folder/keep"
env -u WAYLAND_DISPLAY XDG_RUNTIME_DIR="$runtime" QT_QPA_PLATFORM=offscreen QT_QUICK_BACKEND=software \
  ASAN_OPTIONS=detect_leaks=0 "$app" --defaults "$runtime/folder" >"$runtime/folder.log" 2>&1 &
pid=$!
# The store's complaints come before the window opens; once it has, the app may go.
for _ in $(seq 600); do grep -q "opening the game in a window" "$runtime/folder.log" && break; sleep 0.05; done
kill -INT "$pid" 2>/dev/null; wait "$pid" 2>/dev/null
output=$(cat "$runtime/folder.log")
if ! grep -q "cannot write $runtime/folder" <<<"$output" || grep -q "damaged" <<<"$output" ||
   [ ! -f "$runtime/folder/keep" ] || [ -e "$runtime/folder.damaged" ]; then
  echo "FAIL: a folder as the store:" >&2
  printf '%s\n' "$output" >&2
  failures=$((failures + 1))
fi
[ "$failures" -eq 0 ] && echo "bad-start: PASS"
exit $((failures > 0))
