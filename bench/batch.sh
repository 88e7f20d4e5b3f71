#!/usr/bin/env bash
# Batch benchmark: many real-sized GPX files converted into one folder, two at a time, as
# batch users run kelpway, against `cat` over the same files the same way.
#
# bench/batch.sh [--compare BINARY] [COUNT]
#   COUNT              files (default 1000) of 100 KB to 1 MB; needs about COUNT * 0.6 MB in a
#                      temporary folder
#   --compare BINARY   also runs the batch with another kelpway build (an earlier commit's, say):
#                      KELPWAY_BATCH_ROUNDS (default 5) rounds, the two builds in turns, each on
#                      a folder emptied of outputs; prints the median of each and their ratio
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build="$root/build-bench"
# shellcheck source=bench/common.sh
source "$root/bench/common.sh"
usage="usage: bench/batch.sh [--compare BINARY] [COUNT >= 200]"
other=""
if [[ ${1:-} == --compare ]]; then
    [[ $# -ge 2 && -x $2 ]] || { echo "$usage (BINARY must be executable)" >&2; exit 2; }
    other=$(cd "$(dirname "$2")" && pwd)/$(basename "$2")
    shift 2
fi
count=${1:-1000}
(( count >= 200 )) || { echo "$usage" >&2; exit 2; }

echo "building Release into build-bench/ ..."
build_bench "$root" kelpway kelpway_generate_gpx
kelpway="$build/kelpway"
generate="$build/bench/kelpway_generate_gpx"

work=$(mktemp -d /tmp/kelpway-batch.XXXXXX)
trap 'rm -rf "$work"' EXIT
mkdir "$work/in"

# A hundred files of sizes spread evenly from 100 KB to 1 MB, copied over and over: the first
# hundred and the last hundred are the same files, so their times compare like with like.
for ((i = 0; i < 100; i++)); do
    printf -v name 'track-%04d.gpx' "$i"
    "$generate" "$work/in/$name" $((100000 + i * 900000 / 99)) >/dev/null
done
for ((i = 100; i < count; i++)); do
    printf -v from 'track-%04d.gpx' $((i % 100))
    printf -v name 'track-%04d.gpx' "$i"
    cp "$work/in/$from" "$work/in/$name"
done
total=$(du -sb "$work/in" | awk '{ print $1 }')
ls "$work/in" >"$work/names"
head -n 100 "$work/names" >"$work/first"
tail -n 100 "$work/names" >"$work/last"
sed -n "101,$((count - 100))p" "$work/names" >"$work/middle"

# Runs COMMAND over the files named in LIST, two processes at a time; prints microseconds.
batch() {
    local list=$1 t0 t1
    shift
    stamp t0
    (cd "$work/in" && xargs -P 2 -n 1 "$@" <"$list" >/dev/null)
    stamp t1
    echo $((t1 - t0))
}

cat "$work/in"/* >/dev/null  # page cache warm
cat_us=$(batch "$work/names" cat)
first_us=$(batch "$work/first" "$kelpway")
middle_us=$(batch "$work/middle" "$kelpway")
last_us=$(batch "$work/last" "$kelpway")
kelpway_us=$((first_us + middle_us + last_us))
pairs=$(find "$work/in" -name 'BV10*.DRW' | wc -l)
entries=$(ls "$work/in" | wc -l)
(( pairs == count )) || { echo "error: $pairs DRW files for $count inputs" >&2; exit 1; }

awk -v n="$count" -v bytes="$total" -v k="$kelpway_us" -v c="$cat_us" -v f="$first_us" \
    -v l="$last_us" -v e="$entries" 'BEGIN {
    printf "== batch: %d files, %.0f MB in all, xargs -P 2 -n 1, one folder\n", n, bytes / 1e6
    printf "kelpway   %8.0f ms  %6.1f MB/s  %5.2f ms per file\n", k / 1e3, bytes / k, k / 1e3 / n
    printf "cat       %8.0f ms  %6.1f MB/s  %5.2f ms per file\n", c / 1e3, bytes / c, c / 1e3 / n
    printf "kelpway / cat: %.1fx\n", k / c
    printf "first 100 files %.0f ms, last 100 %.0f ms (folder then holds %d entries): last / first %.2f\n",
        f / 1e3, l / 1e3, e, l / f
}'

# The same files in one `kelpway --batch` call, one process for all, beside one process per file
# (xargs, as above but one at a time), each on a folder without outputs.
find "$work/in" -name 'BV10*' -delete
stamp t0; (cd "$work/in" && xargs -n 1 "$kelpway" <"$work/names" >/dev/null); stamp t1
single_us=$((t1 - t0))
find "$work/in" -name 'BV10*' -delete
stamp t0; (cd "$work/in" && xargs -x -n 100000 "$kelpway" --batch <"$work/names" >/dev/null); stamp t1
one_call_us=$((t1 - t0))
pairs=$(find "$work/in" -name 'BV10*.DRW' | wc -l)
(( pairs == count )) || { echo "error: --batch wrote $pairs DRW files for $count inputs" >&2; exit 1; }
awk -v n="$count" -v s="$single_us" -v b="$one_call_us" 'BEGIN {
    printf "== one at a time: a process per file %.0f ms (%.2f ms per file); one kelpway --batch %.0f ms (%.2f ms per file): %.2fx\n",
        s / 1e3, s / 1e3 / n, b / 1e3, b / 1e3 / n, s / b
}'

# The same batch by this build and the other, in turns, each time on a folder without outputs.
if [[ -n $other ]]; then
    median() { printf '%s\n' "$@" | sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
    whole_batch() {
        find "$work/in" -name 'BV10*' -delete
        local a b c
        a=$(batch "$work/first" "$1"); b=$(batch "$work/middle" "$1"); c=$(batch "$work/last" "$1")
        echo $((a + b + c))
    }
    rounds=${KELPWAY_BATCH_ROUNDS:-5}
    this_us=() other_us=()
    for ((round = 0; round < rounds; round++)); do
        if ((round % 2 == 0)); then
            this_us+=("$(whole_batch "$kelpway")"); other_us+=("$(whole_batch "$other")")
        else
            other_us+=("$(whole_batch "$other")"); this_us+=("$(whole_batch "$kelpway")")
        fi
    done
    in_ms() { local v; for v in "$@"; do printf ' %d' $((v / 1000)); done; }
    awk -v t="$(median "${this_us[@]}")" -v o="$(median "${other_us[@]}")" -v r="$rounds" -v n="$count" \
        -v all_t="$(in_ms "${this_us[@]}")" -v all_o="$(in_ms "${other_us[@]}")" 'BEGIN {
        printf "== compared, %d rounds in turns, medians (all runs in ms: this%s; compared%s)\n", r,
            all_t, all_o
        printf "this build %8.0f ms  %5.2f ms per file\n", t / 1e3, t / 1e3 / n
        printf "compared   %8.0f ms  %5.2f ms per file\n", o / 1e3, o / 1e3 / n
        n_t = split(all_t, ts, " "); split(all_o, os, " ")
        for (i = 1; i <= n_t; i++) ratio[i] = ts[i] / os[i]
        for (i = 1; i <= n_t; i++) for (j = i + 1; j <= n_t; j++) if (ratio[j] < ratio[i]) {
            swap = ratio[i]; ratio[i] = ratio[j]; ratio[j] = swap }
        printf "this / compared: %.3f (medians), %.3f (median of the ratios of the rounds)\n", t / o,
            ratio[int((n_t + 1) / 2)]
    }'
fi
