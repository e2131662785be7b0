#!/usr/bin/env bash
# UI figures (a benchmark, not a test) on the software renderer under Xvfb with a real tray host:
#   start -> tray icon shown, tray click -> panel's first frame, first click on Expert -> first
#   frame after the board opened and -> last frame of the reveal animation, frame intervals
#   during that animation (median, p95), resident memory with an Expert game open.
# Prints a Markdown table of medians over RUNS launches (default 5).
#
#   scripts/ui-figures.sh path/to/velmora
set -euo pipefail

app=${1:?usage: ui-figures.sh path/to/velmora}
runs=${RUNS:-5}
work=$(mktemp -d /tmp/velmora-figures.XXXXXX)
xsession_name=figures
poll=0.005
source "$(cd "$(dirname "$0")" && pwd)/lib/xsession.sh"
now_us() { echo $(( $(date +%s%N) / 1000 )); }

xsession_start

# Value of the first line "event t" after time $2 in log $1 (microseconds).
first_after() { awk -v e="$3" -v t="$2" '$1 == e && $2 > t { print $2; exit }' "$1"; }

: >"$work/start" ; : >"$work/open" ; : >"$work/reveal" ; : >"$work/settle" ; : >"$work/intervals" ; : >"$work/rss"
for run in $(seq "$runs"); do
  store="$work/store-$run.json"
  log="$work/frames-$run.log"
  echo '{"Velmora_Difficulty":"Expert","Velmora_HasSeenWelcome":true}' >"$store"
  : >"$log"
  started=$(now_us)
  VELMORA_FRAME_LOG="$log" "$app" --defaults "$store" --text-scale 1 >/dev/null 2>&1 &
  pid=$!
  wait_for 30 "the tray icon" icon_shown
  echo $(( $(now_us) - started )) >>"$work/start"
  icon=$(visible_windows | head -n1)
  eval "$(xdotool getwindowgeometry --shell "$icon" | sed 's/^/ICON_/')"

  # Tray click -> the panel's first frame (both stamped inside the app).
  xdotool mousemove $((ICON_X + ICON_WIDTH / 2)) $((ICON_Y + ICON_HEIGHT / 2)) click 1
  panel_up() { visible_windows | grep -vxq "$icon"; }
  wait_for 30 "the panel" panel_up
  has_frame() { [ -n "$(first_after "$log" "$(first_after "$log" 0 trigger)" frame)" ]; }
  wait_for 30 "the panel's first frame" has_frame
  trigger=$(first_after "$log" 0 trigger)
  echo $(( $(first_after "$log" "$trigger" frame) - trigger )) >>"$work/open"
  panel=$(visible_windows | grep -vx "$icon" | head -n1)
  eval "$(xdotool getwindowgeometry --shell "$panel" | sed 's/^/PANEL_/')"
  sleep 0.5   # let the panel settle so its frames do not mix with the reveal's

  # First click on the Expert board (centre tile): press -> first frame after the tiles
  # changed, and -> the last frame of the reveal animation.
  xdotool mousemove $((PANEL_X + 14 + 347 / 2)) $((PANEL_Y + PANEL_HEIGHT - 14 - 330 / 2)) click 1
  board_opened() { grep -q '^tiles ' "$log"; }
  wait_for 30 "the board to open" board_opened
  # The animation has ended at the first pause of 250 ms between frames (the clock's
  # once-a-second redraw is not part of it).
  frames=-1
  until [ "$frames" -eq "$(grep -c '^frame ' "$log")" ]; do
    frames=$(grep -c '^frame ' "$log"); sleep 0.3
  done
  press=$(awk '$1 == "press" { t = $2 } END { print t }' "$log")
  tiles=$(first_after "$log" "$press" tiles)
  echo $(( $(first_after "$log" "$tiles" frame) - press )) >>"$work/reveal"
  awk -v t="$tiles" '$1 == "frame" && $2 > t { if (p && $2 - p > 250000) exit; if (p) print $2 - p; p = $2 }' \
    "$log" >>"$work/intervals"
  last=$(awk -v t="$tiles" '$1 == "frame" && $2 > t { if (p && $2 - p > 250000) exit; p = $2 } END { print p }' "$log")
  echo $(( last - press )) >>"$work/settle"
  awk '/VmRSS/ { print $2 }' "/proc/$pid/status" >>"$work/rss"

  kill -TERM "$pid"; wait "$pid" || true
done

median() { sort -n "$1" | awk '{ v[NR] = $1 } END { if (NR == 0) { print "n/a"; exit } i = int((NR + 1) / 2); print v[i] }'; }
p95() { sort -n "$1" | awk '{ v[NR] = $1 } END { if (NR == 0) { print "n/a"; exit } i = int(NR * 0.95 + 0.999); if (i < 1) i = 1; print v[i] }'; }
ms() { awk -v v="$1" 'BEGIN { if (v == "n/a") print v; else printf "%.1f ms", v / 1000 }'; }

echo "| figure (software renderer, Xvfb, $runs launches) | median |"
echo "|---|---|"
echo "| process start -> tray icon shown | $(ms "$(median "$work/start")") |"
echo "| tray click -> panel's first frame | $(ms "$(median "$work/open")") |"
echo "| first click on Expert -> first frame with the opened region | $(ms "$(median "$work/reveal")") |"
echo "| first click on Expert -> last frame of the reveal animation | $(ms "$(median "$work/settle")") |"
echo "| frame interval during the Expert reveal: median / p95 ($(wc -l <"$work/intervals") frames) | $(ms "$(median "$work/intervals")") / $(ms "$(p95 "$work/intervals")") |"
echo "| resident memory, Expert game open | $(awk -v k="$(median "$work/rss")" 'BEGIN { printf "%.1f MiB", k / 1024 }') |"
