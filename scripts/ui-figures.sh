#!/usr/bin/env bash
# UI figures (a benchmark, not a test) on the software renderer under Xvfb with a real tray host:
#   start -> tray icon shown, private memory idle in the tray before the panel was ever opened,
#   tray click -> panel's first frame and -> its first frame with the board's tiles, first click
#   on Expert -> first frame after the board opened and -> last frame of the reveal animation,
#   frame intervals during that animation (median, p95), private and resident memory with an
#   Expert game open. Every launch uses a store whose difficulty is Expert.
# Private memory is the Anonymous line of /proc/PID/smaps_rollup: the heap, stacks and copied
# pages that are the process's alone. Private_Clean is left out on purpose: it counts the pages
# of shared libraries that no other running process happens to map, so it would swing by 30 MB
# with whatever else runs Qt on the machine.
# Prints a Markdown table of medians over RUNS launches (default 5) with one column per
# program; given two (before and after), their launches alternate, so both see the same load.
#
#   scripts/ui-figures.sh path/to/velmora [path/to/other/velmora]
set -euo pipefail

[ $# -ge 1 ] || { echo "usage: ui-figures.sh path/to/velmora [path/to/other/velmora]" >&2; exit 2; }
apps=("$@")
runs=${RUNS:-5}
work=$(mktemp -d /tmp/velmora-figures.XXXXXX)
xsession_name=figures
poll=0.005
source "$(cd "$(dirname "$0")" && pwd)/lib/xsession.sh"
now_us() { echo $(( $(date +%s%N) / 1000 )); }

xsession_start

# Value of the first line "event t" after time $2 in log $1 (microseconds).
first_after() { awk -v e="$3" -v t="$2" '$1 == e && $2 > t { print $2; exit }' "$1"; }

# Private anonymous memory of a process in kB.
private_kb() { awk '/^Anonymous:/ { k += $2 } END { print k }' "/proc/$1/smaps_rollup"; }

# measure N RUN: one launch of program number N, its figures appended to $work/N.<figure>.
measure() {
  local n=$1 run=$2 app=${apps[$1]} out="$work/$1"
  store="$work/store-$n-$run.json"
  log="$work/frames-$n-$run.log"
  echo '{"Velmora_Difficulty":"Expert","Velmora_HasSeenWelcome":true}' >"$store"
  : >"$log"
  started=$(now_us)
  VELMORA_FRAME_LOG="$log" "$app" --defaults "$store" --text-scale 1 >/dev/null 2>&1 &
  pid=$!
  wait_for 30 "the tray icon" icon_shown
  echo $(( $(now_us) - started )) >>"$out.start"
  sleep 2   # idle in the tray: whatever start-up left behind has settled
  private_kb "$pid" >>"$out.idle"
  icon=$(visible_windows | head -n1)
  eval "$(xdotool getwindowgeometry --shell "$icon" | sed 's/^/ICON_/')"

  # Tray click -> the panel's first frame (both stamped inside the app).
  xdotool mousemove $((ICON_X + ICON_WIDTH / 2)) $((ICON_Y + ICON_HEIGHT / 2)) click 1
  panel_up() { visible_windows | grep -vxq "$icon"; }
  wait_for 30 "the panel" panel_up
  has_frame() { [ -n "$(first_after "$log" "$(first_after "$log" 0 trigger)" frame)" ]; }
  wait_for 30 "the panel's first frame" has_frame
  trigger=$(first_after "$log" 0 trigger)
  echo $(( $(first_after "$log" "$trigger" frame) - trigger )) >>"$out.open"
  # The first open shows a stand-in for the tiles and makes them right after that frame
  # ("built"); a program that logs no such step had them in its first frame.
  sleep 0.5
  built=$(first_after "$log" 0 built)
  if [ -n "$built" ]; then
    has_tiles() { [ -n "$(first_after "$log" "$built" frame)" ]; }
    wait_for 30 "the panel's first frame with its tiles" has_tiles
    echo $(( $(first_after "$log" "$built" frame) - trigger )) >>"$out.built"
  else
    tail -n1 "$out.open" >>"$out.built"
  fi
  panel=$(visible_windows | grep -vx -m1 "$icon")
  eval "$(xdotool getwindowgeometry --shell "$panel" | sed 's/^/PANEL_/')"
  sleep 0.2   # let the panel settle so its frames do not mix with the reveal's

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
  echo $(( $(first_after "$log" "$tiles" frame) - press )) >>"$out.reveal"
  awk -v t="$tiles" '$1 == "frame" && $2 > t { if (p && $2 - p > 250000) exit; if (p) print $2 - p; p = $2 }' \
    "$log" >>"$out.intervals"
  last=$(awk -v t="$tiles" '$1 == "frame" && $2 > t { if (p && $2 - p > 250000) exit; p = $2 } END { print p }' "$log")
  echo $(( last - press )) >>"$out.settle"
  awk '/VmRSS/ { print $2 }' "/proc/$pid/status" >>"$out.rss"
  private_kb "$pid" >>"$out.private"

  kill -TERM "$pid"; wait "$pid" || true
}

for n in "${!apps[@]}"; do
  for figure in start idle open built reveal settle intervals rss private; do : >"$work/$n.$figure"; done
done
for run in $(seq "$runs"); do
  for n in "${!apps[@]}"; do measure "$n" "$run"; done
done

median() { sort -n "$1" | awk '{ v[NR] = $1 } END { if (NR == 0) { print "n/a"; exit } i = int((NR + 1) / 2); print v[i] }'; }
p95() { sort -n "$1" | awk '{ v[NR] = $1 } END { if (NR == 0) { print "n/a"; exit } i = int(NR * 0.95 + 0.999); if (i < 1) i = 1; print v[i] }'; }
ms() { awk -v v="$1" 'BEGIN { if (v == "n/a") print v; else printf "%.1f ms", v / 1000 }'; }
mb() { awk -v k="$1" 'BEGIN { printf "%.1f MB", k * 1024 / 1e6 }'; }
mib() { awk -v k="$1" 'BEGIN { printf "%.1f MiB", k / 1024 }'; }

# row LABEL COMMAND: one table row, COMMAND N printing program N's cell.
row() {
  local line="| $1 |"
  for n in "${!apps[@]}"; do line+=" $($2 "$n") |"; done
  echo "$line"
}
cell_start() { ms "$(median "$work/$1.start")"; }
cell_idle() { mb "$(median "$work/$1.idle")"; }
cell_open() { ms "$(median "$work/$1.open")"; }
cell_built() { ms "$(median "$work/$1.built")"; }
cell_reveal() { ms "$(median "$work/$1.reveal")"; }
cell_settle() { ms "$(median "$work/$1.settle")"; }
cell_frames() { echo "$(ms "$(median "$work/$1.intervals")") / $(ms "$(p95 "$work/$1.intervals")") ($(wc -l <"$work/$1.intervals") frames)"; }
cell_private() { mb "$(median "$work/$1.private")"; }
cell_rss() { mib "$(median "$work/$1.rss")"; }

header="| figure (software renderer, Xvfb, $runs launches each; medians) |"
rule="|---|"
for n in "${!apps[@]}"; do header+=" ${apps[$n]} |"; rule+="---|"; done
echo "$header"
echo "$rule"
row "process start -> tray icon shown" cell_start
row "private memory idle in the tray, Expert stored, before the first open" cell_idle
row "tray click -> panel's first frame" cell_open
row "tray click -> first frame with the tiles made" cell_built
row "first click on Expert -> first frame with the opened region" cell_reveal
row "first click on Expert -> last frame of the reveal animation" cell_settle
row "frame interval during the Expert reveal: median / p95" cell_frames
row "private memory, Expert game open" cell_private
row "resident memory, Expert game open" cell_rss
