#!/usr/bin/env bash
# kelpway.exe under Wine against the Linux build, case by case: the same status, the same console
# text (line ends aside), the same entries and the same DRW and MMK bytes.
# Usage: differential.sh LINUX_KELPWAY KELPWAY_EXE WINE_RUN DATA_DIR... (folders of .gpx files)
set -uo pipefail
absolute() { (cd "$(dirname "$1")" && printf '%s/%s' "$(pwd)" "$(basename "$1")"); }
linux=$(absolute "$1") exe=$(absolute "$2") wine=$(absolute "$3")
shift 3
work=$(mktemp -d /tmp/kelpway-differential.XXXXXX)
trap 'rm -rf "$work"' EXIT
cases=0
failures=0

# Runs one build in a fresh folder prepared by SETUP (shell text run there), and notes what it left.
run_in() {  # run_in NAME SETUP PROGRAM... ARGUMENTS
    local name=$1 setup=$2
    shift 2
    local dir="$work/$name"
    rm -rf "$dir" && mkdir -p "$dir" && (cd "$dir" && eval "$setup")
    (cd "$dir" && "$@" >"$work/$name.out" 2>/dev/null; echo $? >"$work/$name.status")
    tr -d '\r' <"$work/$name.out" >"$work/$name.text"
    (cd "$dir" && find . -type f | LC_ALL=C sort | while read -r f; do printf '%s ' "$f"; sha256sum <"$f"; done) \
        >"$work/$name.files"
}

# compare WHAT SETUP LINUX_ARGUMENTS ::: WINDOWS_ARGUMENTS (or just ARGUMENTS for both)
compare() {
    local what=$1 setup=$2
    shift 2
    local -a l_args=() w_args=()
    while (( $# > 0 )) && [[ $1 != ::: ]]; do l_args+=("$1"); shift; done
    if (( $# > 0 )); then shift; w_args=("$@"); else w_args=("${l_args[@]}"); fi
    cases=$((cases + 1))
    run_in linux "$setup" "$linux" "${l_args[@]}"
    run_in windows "$setup" "$wine" "$exe" "${w_args[@]}"
    local part
    for part in status text files; do
        if ! cmp -s "$work/linux.$part" "$work/windows.$part"; then
            failures=$((failures + 1))
            echo "DIFFERS ($part): $what"
            diff "$work/linux.$part" "$work/windows.$part" | head -n 8
            return
        fi
    done
}

# Every file of every folder, with and without routes.
for folder in "$@"; do
    folder=$(cd "$folder" && pwd)
    for gpx in "$folder"/*.gpx; do
        [ -e "$gpx" ] || continue
        compare "$(basename "$gpx")" "cp '$gpx' in.gpx" in.gpx 3
        compare "$(basename "$gpx") --routes" "cp '$gpx' in.gpx" --routes in 6
    done
done

sample="printf '<wpt lat=\"1\" lon=\"2\"><name>A</name></wpt>\n<trk><trkseg><trkpt lat=\"-3\" lon=\"4\"/></trkseg></trk>\n' >"
# Naming: gaps filled, names in other letter cases taken, an orphan MMK overwritten, all taken.
compare "a gap" "$sample in.gpx; : >BV100001.DRW; : >BV100003.DRW" in
compare "lower-case names take numbers" "$sample in.gpx; : >bv100001.drw; : >Bv100002.Drw" in
compare "an orphan MMK is overwritten" "$sample in.gpx; echo old >BV100001.MMK" in
compare "every number taken" "$sample in.gpx; seq -f 'BV10%04g.DRW' 1 9999 | xargs touch" in
compare "the input in other letter cases" "$sample TRACK.Gpx" track
# Paths: a subfolder named with '\' and with a drive letter on Windows, with '/' on Linux.
compare "a subfolder" "mkdir sub; $sample sub/in.gpx" sub/in.gpx ::: 'sub\in.gpx'
compare "a drive letter and an absolute path" "mkdir sub; $sample sub/in.gpx" sub/in.gpx 4 \
    ::: "Z:$(printf '%s' "$work/windows/sub/in.gpx" | tr / '\\')" 4
compare "a drive letter without a directory" "$sample in.gpx" in ::: Z:in
deep=$(printf 'folder%03d/' $(seq 1 40))  # 400 bytes: past the classic 260 of Windows
compare "a path longer than 260 bytes" "mkdir -p $deep; $sample ${deep}in.gpx" "${deep}in" ::: "$(printf '%s' "${deep}in" | tr / '\\')"
compare "a long path typed with the \\\\?\\ prefix" "mkdir -p $deep; $sample ${deep}in.gpx" "${deep}in" \
    ::: "\\\\?\\Z:$(printf '%s' "$work/windows/${deep}in" | tr / '\\')"
compare "a path too long for the system" ":" "$(printf 'p%.0s' $(seq 1 5000))"
# Messages and options.
compare "no arguments" ":"
compare "too many arguments" "$sample in.gpx" in 2 x
compare "a missing input" ":" none
compare "a folder as input" "mkdir folder.gpx" folder
compare "a missing folder" ":" nodir/in ::: 'nodir\in'
compare "an unknown option" ":" --colour in
compare "help" ":" --help
compare "version" ":" --version
compare "a file that begins with --" "$sample ./--odd.gpx" -- --odd.gpx

# The other direction: the examples' pairs, a pair in other cases, refusals.
for pair in examples/tokyo-bay examples/harbour-approach; do
    from=$(cd "$(dirname "$pair")" && pwd)/$(basename "$pair")
    compare "--to-gpx $(basename "$pair")" "cp '$from.DRW' p.DRW; cp '$from.MMK' p.MMK" --to-gpx p
done
compare "--to-gpx, a pair in other cases" "cp '$(pwd)/examples/tokyo-bay.DRW' bv100001.drw; cp '$(pwd)/examples/tokyo-bay.MMK' Bv100001.Mmk" --to-gpx BV100001.x
compare "--to-gpx never overwrites" "cp '$(pwd)/examples/tokyo-bay.DRW' p.DRW; echo mine >p.gpx" --to-gpx p
compare "--to-gpx without a pair" ":" --to-gpx none
compare "--to-gpx with --routes" ":" --routes --to-gpx none

# Batches, colours and code pages.
root=$(pwd)
compare "--batch, one missing" "cp '$root/examples/tokyo-bay.gpx' a.gpx; cp '$root/examples/harbour-approach.gpx' b.gpx" \
    --batch a missing b.gpx
compare "--batch --to-gpx" "cp '$root/examples/tokyo-bay.DRW' p.DRW; cp '$root/examples/tokyo-bay.MMK' p.MMK" \
    --batch --to-gpx p none p
compare "--color= wins over COLOR" "$sample in.gpx" --color=6 in 3
compare "an invalid --color=" "$sample in.gpx" --color=8 in
compare "an unknown --charset=" "$sample in.gpx" --charset=CP437 in
for charset in CP932 CP936 CP949 CP950 CP1250 CP1251 CP1252 CP1253 CP1254 CP1255 CP1256 CP1257 CP1258 \
    ISO-8859-1 ISO-8859-2 ISO-8859-3 ISO-8859-4 ISO-8859-5 ISO-8859-6 ISO-8859-7 ISO-8859-8 ISO-8859-9 \
    ISO-8859-10 ISO-8859-11 ISO-8859-13 ISO-8859-14 ISO-8859-15 UTF-8; do
    compare "--charset=$charset" \
        "cp '$root/tests/e2e/data/world-names.gpx' in.gpx; cp '$root/tests/e2e/data/latin1-names.gpx' l.gpx" \
        --batch --charset=$charset in l
    compare "--to-gpx --charset=$charset" \
        "cp '$root/tests/e2e/data/world-names.gpx' in.gpx; '$linux' --charset=$charset in >/dev/null" \
        --to-gpx --charset=$charset BV100001
done

echo "differential: $cases cases, $failures differ"
(( failures == 0 ))
