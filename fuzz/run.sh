#!/usr/bin/env bash
# Builds the conversion fuzzer, replays the seeds, then fuzzes with one process per core for
# SECONDS (default 60) or until RUNS executions in all, whichever comes first:
#   fuzz/run.sh [SECONDS [RUNS]]
# New corpus entries go to a temporary folder, or to $KELPWAY_FUZZ_DIR when set (kept between runs).
set -euo pipefail
seconds="${1:-60}"
runs="${2:-0}"
workers=$(nproc)
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j "$(nproc)"
fuzzer="$root/build-fuzz/fuzz/convert_fuzzer"

work="${KELPWAY_FUZZ_DIR:-$(mktemp -d "${TMPDIR:-/tmp}/kelpway-fuzz-XXXXXX")}"
mkdir -p "$work/corpus" "$work/artifacts"

# Shrinks each reproducer for half a minute, then shows both (their first KB) in the log.
report_crash() {
  echo "fuzz: FAILED; reproducers (run one with: $fuzzer FILE):" >&2
  for artifact in "$work"/artifacts/*; do
    [ -e "$artifact" ] || continue
    case "$artifact" in *.min) continue ;; esac
    "$fuzzer" -minimize_crash=1 -max_total_time=30 -exact_artifact_path="$artifact.min" "$artifact" \
      >"$work/minimize.log" 2>&1 || true
    for shown in "$artifact" "$artifact.min"; do
      [ -e "$shown" ] || continue
      echo "--- $shown ($(stat -c %s "$shown") bytes)" >&2
      od -A d -c "$shown" | head -n 64 >&2
    done
  done
  exit 1
}

# Each seed on its own, so a failing one is named in the log.
echo "fuzz: replaying $(ls fuzz/seeds/*.gpx | wc -l) seeds"
"$fuzzer" -artifact_prefix="$work/artifacts/" fuzz/seeds/*.gpx >"$work/replay.log" 2>&1 || {
  cat "$work/replay.log" >&2
  echo "fuzz: FAILED on a seed; reproducer: $(grep '^Running: ' "$work/replay.log" | tail -n 1 | cut -c10-)" >&2
  exit 1
}

echo "fuzz: fuzzing for $seconds s with $workers processes, corpus in $work/corpus"
# -timeout catches a hang; the seeds folder comes second so it is only read. Each process finds
# its own way from the shared corpus; new finds land in it.
per_worker=()
if (( runs > 0 )); then per_worker=(-runs=$(( (runs + workers - 1) / workers ))); fi
pids=()
for ((w = 0; w < workers; w++)); do
  "$fuzzer" -max_total_time="$seconds" "${per_worker[@]}" -max_len=8192 -timeout=10 -rss_limit_mb=2048 \
    -print_final_stats=1 -dict=fuzz/gpx.dict -artifact_prefix="$work/artifacts/" \
    "$work/corpus" fuzz/seeds >"$work/fuzz.$w.log" 2>&1 &
  pids+=($!)
done
status=0
for pid in "${pids[@]}"; do wait "$pid" || status=$?; done
for ((w = 0; w < workers; w++)); do
  grep -E '^#[0-9]+[[:space:]]+DONE' "$work/fuzz.$w.log" | sed "s/^/fuzz: process $w: /" || true
done
total=$(cat "$work"/fuzz.*.log | awk '/^stat::number_of_executed_units:/ { n += $2 } END { print n + 0 }')
if [ "$status" -ne 0 ] || ls "$work"/artifacts/* >/dev/null 2>&1; then
  for log in "$work"/fuzz.*.log; do tail -n 60 "$log" >&2; done
  report_crash
fi
echo "fuzz: clean; $total executions in all, $(ls "$work/corpus" | wc -l) corpus entries kept in $work/corpus"
if (( runs > 0 && total < runs )); then
  echo "fuzz: only $total of the $runs executions asked for ran within $seconds s" >&2
  exit 1
fi
