#!/usr/bin/env bash
# Batch benchmark: many real-sized GPX files converted into one folder, two at a time, as
# batch users run kelpway, against `cat` over the same files the same way.
#
# bench/batch.sh [COUNT]   COUNT files (default 1000) of 100 KB to 1 MB; needs about
#                          COUNT * 0.6 MB in a temporary folder
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build="$root/build-bench"
# shellcheck source=bench/common.sh
source "$root/bench/common.sh"
count=${1:-1000}
(( count >= 200 )) || { echo "usage: bench/batch.sh [COUNT >= 200]" >&2; exit 2; }

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
