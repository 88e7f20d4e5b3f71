#!/usr/bin/env bash
# The manual page formats without a single warning and shows the program's messages
# exactly as it prints them (plain ASCII, so they can be searched for and copied).
# Usage: lint_manual.sh PAGE
set -euo pipefail
page=$1
status=0

report() {  # report TOOL OUTPUT: any output at all is a failure
    if [ -n "$2" ]; then
        printf '%s reports:\n%s\n' "$1" "$2"
        status=1
    fi
}

report "groff -man -ww -z" "$(groff -man -ww -z "$page" 2>&1)"
report "groff -man -ww -z -Tutf8" "$(groff -man -ww -z -Tutf8 "$page" 2>&1)"
if command -v mandoc >/dev/null; then
    report "mandoc -T lint" "$(mandoc -T lint "$page" 2>&1 || true)"
else
    echo "mandoc not installed: checked with groff only"
fi

# Hyphenation off and blanks squeezed, so a message broken across lines still matches.
text=$(groff -man -rHY=0 -Tutf8 -P-cbou "$page" 2>/dev/null | tr -s '[:space:]' ' ')
for message in "Too many option!" \
    "Can't open .GPX file!" "Can't open .DRW file!" "Can't open .MMK file!" \
    "Can't read .GPX file!" "Can't write .DRW file!" "Can't write .MMK file!" \
    "Skipped N points without position" "Usage: KELPWAY ***.GPX" \
    ',3540.874,N,13946.027,E,,2,,,,' ',3540.874,N,13946.027,E,26,,,,,,"Tokyo Station"' \
    "find DIR -name '*.gpx' -print0 | xargs -0 -P \"\$(nproc)\" -n 1 kelpway" \
    "xmllint --format"; do
    if [[ $text != *"$message"* ]]; then
        printf 'the formatted page lacks: %s\n' "$message"
        status=1
    fi
done

[ "$status" -eq 0 ] && echo "manual page clean: $page"
exit "$status"
