#!/usr/bin/env bash
# GPX files in kelpway's layout read by three GPX readers of Debian (python3-gpxpy, gpsbabel,
# GDAL's ogrinfo): each must report as many waypoints, tracks and track points as the file's
# lines say (one element part per line: "  <wpt ", "  <trk>", "      <trkpt ").
# Usage: gpx_readers.sh FILE_OR_FOLDER...   (a folder stands for its *.gpx files)
# Exit status 0 when every reader agrees on every file, 1 otherwise, 77 when a reader is missing
# (1 then too when KELPWAY_REQUIRE_READERS is set, as CI sets it). PYTHON names the interpreter
# that has gpxpy (default: Debian's python3, then the first python3 on the path).
set -euo pipefail
python=
for candidate in ${PYTHON:-} /usr/bin/python3 python3; do
    if "$candidate" -c 'import gpxpy' 2>/dev/null; then python=$candidate; break; fi
done

if [ -z "$python" ] || ! command -v gpsbabel >/dev/null || ! command -v ogrinfo >/dev/null; then
    echo "needs python3-gpxpy, gpsbabel and gdal-bin (apt-get install -y python3-gpxpy gpsbabel gdal-bin)"
    [ -n "${KELPWAY_REQUIRE_READERS:-}" ] && exit 1
    exit 77
fi

files=()
for argument in "$@"; do
    if [ -d "$argument" ]; then
        while IFS= read -r -d '' file; do files+=("$file"); done \
            < <(find "$argument" -maxdepth 1 -name '*.gpx' -print0 | LC_ALL=C sort -z)
    else
        files+=("$argument")
    fi
done
(( ${#files[@]} > 0 )) || { echo "no GPX files given"; exit 1; }

count_lines() {  # count_lines PATTERN FILE
    grep -c -e "$1" "$2" || true
}

# "waypoints tracks points" per reader and file.
expected() { echo "$(count_lines '^  <wpt ' "$1") $(count_lines '^  <trk>$' "$1") $(count_lines '^      <trkpt ' "$1")"; }

gpsbabel_counts() {
    local written
    written=$(gpsbabel -i gpx -f "$1" -o gpx -F - 2>/dev/null) || { echo "failed"; return; }
    echo "$(grep -c '<wpt ' <<<"$written" || true) $(grep -c '<trk>' <<<"$written" || true)" \
         "$(grep -c '<trkpt ' <<<"$written" || true)"
}

ogrinfo_counts() {
    local summary
    summary=$(ogrinfo -ro -so "$1" waypoints tracks track_points 2>/dev/null) || { echo "failed"; return; }
    awk '/^Layer name:/ { layer = $3 } /^Feature Count:/ { count[layer] = $3 }
         END { print count["waypoints"] + 0, count["tracks"] + 0, count["track_points"] + 0 }' <<<"$summary"
}

# One interpreter for all files: "FILE<TAB>counts" per line, "failed" for a file it cannot read.
gpxpy_all=$("$python" - "${files[@]}" <<'PYTHON'
import sys
import gpxpy
for path in sys.argv[1:]:
    try:
        with open(path, encoding="utf-8") as f:
            gpx = gpxpy.parse(f)
        points = sum(len(segment.points) for track in gpx.tracks for segment in track.segments)
        print(f"{path}\t{len(gpx.waypoints)} {len(gpx.tracks)} {points}")
    except Exception as error:  # noqa: BLE001 - any failure is a result
        print(f"{path}\tfailed ({error})".replace("\n", " "))
PYTHON
)

status=0
declare -A agreed
all_w=0 all_t=0 all_p=0
for file in "${files[@]}"; do
    want=$(expected "$file")
    read -r w t p <<<"$want"
    (( all_w += w, all_t += t, all_p += p )) || true
    results=("gpxpy:$(awk -F '\t' -v f="$file" '$1 == f { print $2; exit }' <<<"$gpxpy_all")"
             "gpsbabel:$(gpsbabel_counts "$file")" "ogrinfo:$(ogrinfo_counts "$file")")
    line="$(basename "$file"): expected $want"
    for result in "${results[@]}"; do
        reader=${result%%:*}
        got=${result#*:}
        line+="; $reader $got"
        if [ "$got" == "$want" ]; then
            agreed[$reader]=$(( ${agreed[$reader]:-0} + 1 ))
        else
            line+=" MISMATCH"
            status=1
        fi
    done
    echo "$line"
done

echo "${#files[@]} files: $all_w waypoints, $all_t tracks, $all_p track points"
for reader in gpxpy gpsbabel ogrinfo; do
    echo "$reader: the expected counts for ${agreed[$reader]:-0} of ${#files[@]} files"
done
(( status == 0 )) && echo "every reader reports the expected counts for every file"
exit "$status"
