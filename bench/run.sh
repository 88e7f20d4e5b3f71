#!/usr/bin/env bash
# Throughput benchmark of kelpway against `wc -l` on generated GPX, with an output digest check.
#
# bench/run.sh [--large] [--real] [--micro] [--update-digest] [--compare BINARY]
#   --large            also a 1 GB file (or KELPWAY_BENCH_LARGE=1); timing only, no digest
#   --real             also 100 MB of real layouts: the GPX files of tests/e2e/data and, when it
#                      is there, ../shared/corpus, one after another, over and over; timing only
#   --micro            also runs the micro-benchmarks
#   --update-digest    rewrites bench/expected-100MB.sha256 from this build's output
#   --compare BINARY   also times another kelpway build (an earlier commit's, say) in the same
#                      alternating runs, and checks that its output is the same
#   KELPWAY_BENCH_RUNS=N  timed runs of each program (default 5, at least 5)
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build="$root/build-bench"
# shellcheck source=bench/common.sh
source "$root/bench/common.sh"
digest_file="$root/bench/expected-100MB.sha256"
runs=${KELPWAY_BENCH_RUNS:-5}
large=${KELPWAY_BENCH_LARGE:-0}
micro=0
update=0
other=""
usage="usage: bench/run.sh [--large] [--real] [--micro] [--update-digest] [--compare BINARY]"
real=0
while (( $# > 0 )); do
    case "$1" in
        --large) large=1 ;;
        --real) real=1 ;;
        --micro) micro=1 ;;
        --update-digest) update=1 ;;
        --compare)
            [[ $# -ge 2 && -x $2 ]] || { echo "$usage (BINARY must be executable)" >&2; exit 2; }
            other=$(cd "$(dirname "$2")" && pwd)/$(basename "$2")
            shift ;;
        *) echo "$usage" >&2; exit 2 ;;
    esac
    shift
done
(( runs >= 5 )) || runs=5

# Peak RSS comes from GNU time; the shell keyword cannot report it.
if [[ ! -x /usr/bin/time ]]; then
    if [[ $(id -u) -eq 0 ]] && command -v apt-get >/dev/null; then
        echo "installing GNU time (apt-get install -y time) for peak RSS ..."
        apt-get install -y time >/dev/null 2>&1 ||
            { apt-get update >/dev/null && apt-get install -y time >/dev/null; }
    else
        echo "error: /usr/bin/time is missing; install it with: sudo apt-get install -y time" >&2
        exit 1
    fi
fi

echo "building Release into build-bench/ ..."
build_bench "$root" kelpway kelpway_generate_gpx kelpway_micro_benchmarks
kelpway="$build/kelpway"
generate="$build/bench/kelpway_generate_gpx"

work=$(mktemp -d /tmp/kelpway-bench.XXXXXX)
trap 'rm -rf "$work"' EXIT

# Median of integers given as arguments (mean of the middle two for an even count).
median() {
    printf '%s\n' "$@" | sort -n | awk '{ v[NR] = $1 } END {
        if (NR % 2) print v[(NR + 1) / 2]; else printf "%d\n", (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

peak_rss_kb() { awk -F': ' '/Maximum resident set size/ { print $2 }' "$1"; }
# User plus system seconds: less disturbed than wall time when other work shares the cores.
cpu_ms() { awk -F': ' '/(User|System) time/ { s += $2 } END { printf "%.0f", s * 1000 }' "$1"; }

# Both programs run on the same core: moves between cores made single runs vary by half.
pin=()
if command -v taskset >/dev/null; then pin=(taskset -c "$(($(nproc) - 1))"); fi

# Times kelpway and `wc -l` (and the other build) alternately on one file; leaves BV100001.* of
# the last run of this build.
measure() {
    local label=$1 gpx=$2 size i t0 t1
    local -a k_us=() w_us=() o_us=()
    size=$(stat -c %s "$gpx")
    cat "$gpx" >/dev/null; cat "$gpx" >/dev/null  # page cache warm for both programs
    for ((i = 0; i < runs; i++)); do
        if [[ -n $other ]]; then
            rm -f "$work"/BV10*
            stamp t0; "${pin[@]}" "$other" "$gpx" >"$work/summary.other"; stamp t1
            o_us+=($((t1 - t0)))
            if (( i == 0 )); then sha256sum <"$work/BV100001.DRW" >"$work/other.sums"; sha256sum <"$work/BV100001.MMK" >>"$work/other.sums"; fi
        fi
        rm -f "$work"/BV10*
        stamp t0; "${pin[@]}" "$kelpway" "$gpx" >"$work/summary"; stamp t1
        k_us+=($((t1 - t0)))
        stamp t0; "${pin[@]}" wc -l "$gpx" >"$work/wc.out"; stamp t1
        w_us+=($((t1 - t0)))
    done
    if [[ -n $other ]]; then
        local other_sums
        other_sums=$(cat "$work/other.sums")
        if [[ $other_sums != "$(sha256sum <"$work/BV100001.DRW"; sha256sum <"$work/BV100001.MMK")" ]] ||
            ! cmp -s "$work/summary" "$work/summary.other"; then
            echo "note: $other writes other output than this build" >&2
        fi
    fi
    # One extra run each under GNU time, kept out of the timings above.
    rm -f "$work"/BV10*
    /usr/bin/time -v -o "$work/time.kelpway" "$kelpway" "$gpx" >"$work/summary"
    /usr/bin/time -v -o "$work/time.wc" wc -l "$gpx" >/dev/null
    local marks lines
    marks=$(awk '/^MMK/ { print $2 }' "$work/summary")
    lines=$(awk '/^DRW/ { print $2 }' "$work/summary")
    if [[ -z $marks || -z $lines ]]; then
        echo "error: unexpected summary:" >&2; cat "$work/summary" >&2; exit 1
    fi
    awk -v label="$label" -v size="$size" -v runs="$runs" -v k="$(median "${k_us[@]}")" \
        -v w="$(median "${w_us[@]}")" -v kmin="$(printf '%s\n' "${k_us[@]}" | sort -n | head -1)" \
        -v kmax="$(printf '%s\n' "${k_us[@]}" | sort -n | tail -1)" \
        -v wmin="$(printf '%s\n' "${w_us[@]}" | sort -n | head -1)" \
        -v wmax="$(printf '%s\n' "${w_us[@]}" | sort -n | tail -1)" \
        -v krss="$(peak_rss_kb "$work/time.kelpway")" -v wrss="$(peak_rss_kb "$work/time.wc")" \
        -v kcpu="$(cpu_ms "$work/time.kelpway")" -v wcpu="$(cpu_ms "$work/time.wc")" \
        -v marks="$marks" -v lines="$lines" -v input_lines="$(awk '{ print $1 }' "$work/wc.out")" \
        -v o="$( ((${#o_us[@]})) && median "${o_us[@]}" || echo 0)" \
        -v omin="$( ((${#o_us[@]})) && printf '%s\n' "${o_us[@]}" | sort -n | head -1 || echo 0)" \
        -v omax="$( ((${#o_us[@]})) && printf '%s\n' "${o_us[@]}" | sort -n | tail -1 || echo 0)" '
    function ms(us) { return us / 1e3 }
    BEGIN {
        printf "\n== %s: %d bytes, %d lines; %d track points, %d waypoints; %d runs each, alternating\n",
            label, size, input_lines, lines, marks, runs
        printf "%-9s %10s %9s %9s %9s %11s %9s %9s\n", "program", "median ms", "min ms",
            "max ms", "MB/s", "points/s", "cpu ms*", "peak RSS"
        printf "%-9s %10.1f %9.1f %9.1f %9.1f %11.0f %9d %6.1f MB\n", "kelpway", ms(k), ms(kmin),
            ms(kmax), size / k, (lines + marks) / (k / 1e6), kcpu, krss / 1024
        printf "%-9s %10.1f %9.1f %9.1f %9.1f %11s %9d %6.1f MB\n", "wc -l", ms(w), ms(wmin),
            ms(wmax), size / w, "-", wcpu, wrss / 1024
        if (o > 0) {
            printf "%-9s %10.1f %9.1f %9.1f %9.1f %11.0f %9s %9s\n", "compared", ms(o), ms(omin),
                ms(omax), size / o, (lines + marks) / (o / 1e6), "-", "-"
        }
        printf "kelpway / wc -l (median wall time): %.2fx   (* user+sys of one extra run, 10 ms steps)\n", k / w
        if (o > 0) printf "compared / wc -l: %.2fx; kelpway / compared: %.3f\n", o / w, k / o
    }'
}

# Times --to-gpx on the pair the last run of measure left, in the same runs' number, beside the
# forward direction: the pair becomes BV100001.GPX, removed before each run.
measure_back() {
    local label=$1 i t0 t1 size
    local -a b_us=()
    size=$(( $(stat -c %s "$work/BV100001.DRW") + $(stat -c %s "$work/BV100001.MMK") ))
    cat "$work/BV100001.DRW" "$work/BV100001.MMK" >/dev/null
    for ((i = 0; i < runs; i++)); do
        rm -f "$work/BV100001.GPX"
        stamp t0; "${pin[@]}" "$kelpway" --to-gpx "$work/BV100001" >"$work/back.summary"; stamp t1
        b_us+=($((t1 - t0)))
    done
    rm -f "$work/BV100001.GPX"
    /usr/bin/time -v -o "$work/time.back" "$kelpway" --to-gpx "$work/BV100001" >/dev/null
    awk -v label="$label" -v size="$size" -v gpx="$(stat -c %s "$work/BV100001.GPX")" -v runs="$runs" \
        -v b="$(median "${b_us[@]}")" -v rss="$(peak_rss_kb "$work/time.back")" \
        -v summary="$(cat "$work/back.summary")" 'BEGIN {
        printf "--to-gpx on its pair (%s, %d bytes in, %d bytes of GPX out, %d runs): median %.1f ms, %.1f MB/s, peak RSS %.1f MB\n",
            label, size, gpx, runs, b / 1e3, size / b, rss / 1024
        printf "  %s\n", summary
    }'
    rm -f "$work/BV100001.GPX"
}

digest_header="# sha256 of the generated 100 MB GPX and kelpway's outputs for it (bench/run.sh --update-digest)"

# Compares the 100 MB run's outputs (and the generated input) with the checked-in digests.
check_digests() {
    local actual
    actual=$(cd "$work" && sha256sum bench-100MB.gpx BV100001.DRW BV100001.MMK)
    if (( update )); then
        { echo "$digest_header"; printf '%s\n' "$actual"; } >"$digest_file"
        echo "digests written to bench/expected-100MB.sha256"
        return
    fi
    if [[ ! -f $digest_file ]]; then
        echo "error: bench/expected-100MB.sha256 is missing (create it with --update-digest)" >&2
        exit 1
    fi
    local expected
    expected=$(grep -v '^#' "$digest_file")
    if [[ $actual == "$expected" ]]; then
        echo "output check: BV100001.DRW and BV100001.MMK match bench/expected-100MB.sha256"
        return
    fi
    echo "ERROR: output differs from bench/expected-100MB.sha256" >&2
    diff <(printf '%s\n' "$expected") <(printf '%s\n' "$actual") | sed -n 's/^[<>]/  &/p' >&2 || true
    if ! grep -qF "$(cd "$work" && sha256sum bench-100MB.gpx)" "$digest_file"; then
        echo "  the generated input itself changed: the generator, not kelpway, differs" >&2
    fi
    echo "  (< expected, > this build)" >&2
    exit 1
}

"$generate" "$work/bench-100MB.gpx" 100000000 >/dev/null
measure "100 MB" "$work/bench-100MB.gpx"
check_digests
measure_back "100 MB"
rm -f "$work/bench-100MB.gpx" "$work"/BV10*

if (( real )); then
    sources=("$root"/tests/e2e/data/*.gpx)
    if [[ -d $root/../shared/corpus ]]; then sources+=("$root"/../shared/corpus/*.gpx); fi
    cat "${sources[@]}" >"$work/layouts.gpx"
    while (( $(stat -c %s "$work/real-100MB.gpx" 2>/dev/null || echo 0) < 100000000 )); do
        cat "$work/layouts.gpx" >>"$work/real-100MB.gpx"
    done
    measure "real layouts, 100 MB (${#sources[@]} files repeated)" "$work/real-100MB.gpx"
    rm -f "$work/real-100MB.gpx" "$work/layouts.gpx" "$work"/BV10*
fi

if (( large )); then
    "$generate" "$work/bench-1GB.gpx" 1000000000 >/dev/null
    measure "1 GB" "$work/bench-1GB.gpx"
    measure_back "1 GB"
    rm -f "$work/bench-1GB.gpx" "$work"/BV10*
fi

if (( micro )); then
    echo
    "$build/bench/kelpway_micro_benchmarks" --benchmark_min_time=0.5
fi
