#!/usr/bin/env bash
# Starts the newest thing this tree can run: the game when it is built, else the headless driver.
set -euo pipefail
build=${1:-build}
if [ -x "$build/app/velmora" ]; then
  exec "$build/app/velmora" "${@:2}"
elif [ -x "$build/tools/velmora-engine" ]; then
  echo "The game window is not built yet; starting the headless driver (one JSON request per line)." >&2
  exec "$build/tools/velmora-engine" "${@:2}"
else
  echo "Nothing runnable was built in $build." >&2
  exit 1
fi
