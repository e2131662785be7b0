#!/usr/bin/env bash
# Runs every libFuzzer target of a fuzz build for a fixed time each.
#   scripts/fuzz.sh BUILD_DIR SECONDS
# Seeds come from fuzz/corpus/<target>/ and are copied, so the tracked corpus stays as it is;
# what a run discovers stays in BUILD_DIR/fuzz-corpus/<target>/, crashes in BUILD_DIR/fuzz-artifacts/.
set -euo pipefail

BUILD=${1:?usage: scripts/fuzz.sh BUILD_DIR SECONDS}
SECONDS_EACH=${2:-60}
ROOT=$(cd "$(dirname "$0")/.." && pwd)
JOBS=${FUZZ_JOBS:-1}

declare -A DICT=([fuzz_saved_game]=saved_game.dict [fuzz_defaults_file]=defaults_file.dict)
# Scratch space for targets that write files: tmpfs when there is one.
SCRATCH=$(mktemp -d "$( [ -d /dev/shm ] && echo /dev/shm || echo "${TMPDIR:-/tmp}")/velmora-fuzz.XXXXXX")
trap 'rm -rf "$SCRATCH"' EXIT
export VELMORA_FUZZ_SCRATCH="$SCRATCH"

status=0
for target in fuzz_saved_game fuzz_defaults_file; do
  bin="$(cd "$BUILD" && pwd)/fuzz/$target"
  [ -x "$bin" ] || { echo "fuzz: $bin not built" >&2; exit 1; }
  work="$(cd "$BUILD" && pwd)/fuzz-corpus/$target"
  artifacts="$(cd "$BUILD" && pwd)/fuzz-artifacts"
  mkdir -p "$work" "$artifacts"
  cp -n "$ROOT/fuzz/corpus/$target/"* "$work/" 2>/dev/null || true
  echo "== $target: ${SECONDS_EACH}s"
  log="$BUILD/fuzz-$target.log"
  parallel=()
  # Several jobs write their logs (fuzz-N.log) into the working folder: keep them in the build.
  [ "$JOBS" -gt 1 ] && parallel=(-jobs="$JOBS" -workers="$JOBS")
  if (cd "$BUILD" && "$bin" -max_total_time="$SECONDS_EACH" -timeout=10 -rss_limit_mb=2048 -max_len=8192 \
       "${parallel[@]}" -print_final_stats=1 \
       -dict="$ROOT/fuzz/${DICT[$target]}" -artifact_prefix="$artifacts/$target-" "$work") >"$log" 2>&1; then
    grep -E "^(stat::number_of_executed_units|stat::peak_rss_mb)|Done [0-9]+ runs" "$log" || true
    echo "   corpus: $(ls "$work" | wc -l) inputs; no crash, no hang"
  else
    status=1
    echo "   FAILED, see $log and $artifacts/" >&2
    tail -n 40 "$log" >&2
  fi
done
exit $status
