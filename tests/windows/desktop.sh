#!/usr/bin/env bash
# kelpway.exe opened as the desktop opens it, under Wine: in a console of its own (a terminal that
# `script` gives it), every argument is a file and the window waits for a key; with its output
# going to a file it converts as it always does.
# Usage: desktop.sh KELPWAY_EXE WINE_RUN EXAMPLES_DIR
set -uo pipefail
absolute() { (cd "$(dirname "$1")" && printf '%s/%s' "$(pwd)" "$(basename "$1")"); }
exe=$(absolute "$1") wine=$(absolute "$2") examples=$(cd "$3" && pwd)
work=$(mktemp -d /tmp/kelpway-desktop.XXXXXX)
trap 'rm -rf "$work"' EXIT
failures=0
check() {  # check WHAT CONDITION...
    local what=$1
    shift
    if "$@"; then echo "ok: $what"; else echo "FAILED: $what"; failures=$((failures + 1)); fi
}

# Two files dropped at once, one of them missing: each converted on its own, then the key.
cd "$work" && cp "$examples/tokyo-bay.gpx" "$examples/harbour-approach.gpx" .
(sleep 10; printf 'x') | timeout 120 script -qec "'$wine' '$exe' tokyo-bay.gpx missing.gpx harbour-approach.gpx" \
    /dev/null >"$work/console.raw" 2>&1
status=$?
# The text as the window shows it: Wine's console moves the cursor over a blank rather than
# writing it, and draws the rest among escape sequences and carriage returns.
perl -pe 's/\e\[(\d*)C/" " x ($1 || 1)/ge; s/\e\[[0-9;?]*[A-Za-z]//g; s/\r//g' "$work/console.raw" >"$work/console.txt"
expected="tokyo-bay.gpx:
MMK 4 points
DRW 8 lines(color=2)
missing.gpx:
Can't open .GPX file!
harbour-approach.gpx:
MMK 2 points
DRW 0 lines(color=2)
Passed over 5 route points (--routes converts them)
Press any key to close this window."
check "the window waited for the key and closed with status 1 (one file failed)" [ "$status" -eq 1 ]
check "each file's lines under its name, then the request for a key" [ "$(cat "$work/console.txt")" = "$expected" ]
check "two pairs" [ -f BV100001.DRW ] && [ -f BV100002.MMK ] && [ ! -e BV100003.DRW ]

# Output to a file, as in scripts: the second operand is the colour, and nothing waits.
rm -f BV10*
timeout 60 "$wine" "$exe" tokyo-bay.gpx 5 >"$work/file.txt" 2>&1
status=$?
check "output to a file converts as always" [ "$status" -eq 0 ]
check "the colour operand holds" grep -q "color=5" "$work/file.txt"
check "no key asked for" bash -c "! grep -q 'Press any key' '$work/file.txt'"

echo "desktop: $failures failed"
(( failures == 0 ))
