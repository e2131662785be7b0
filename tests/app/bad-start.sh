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

clean=(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM XDG_RUNTIME_DIR="$runtime")
expect 1 1 "no display found" "${clean[@]}" "$app" --defaults "$runtime/d.json"
# A display that is named but not there (no server listens on this number).
expect 1 1 "cannot open the display" "${clean[@]}" DISPLAY=:987 "$app" --defaults "$runtime/d.json"
expect 2 2 "unknown argument: --bogus" "${clean[@]}" "$app" --bogus
expect 2 2 "text-scale needs a positive number" "${clean[@]}" "$app" --text-scale 0
[ "$failures" -eq 0 ] && echo "bad-start: PASS"
exit $((failures > 0))
