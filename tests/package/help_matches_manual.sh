#!/usr/bin/env bash
# `kelpway --help` and the manual page name the same options, and the page shows the
# synopsis line that --help prints.
# Usage: help_matches_manual.sh KELPWAY PAGE
set -euo pipefail
kelpway=$1 page=$2

help=$("$kelpway" --help)
text=$(groff -man -rHY=0 -Tutf8 -P-cbou "$page" 2>/dev/null | tr -s '[:space:]' ' ')
# The options each text lists: a word of two dashes and letters (or the bare "--") at the start
# of a help line, and at the start of a tagged paragraph in the page's OPTIONS section.
help_options=$(grep -oE '^  --[a-z-]*=?' <<<"$help" | tr -d ' ' | LC_ALL=C sort)
page_options=$(sed -n '/^\.SH OPTIONS/,/^\.SH /p' "$page" | grep -A1 '^\.TP' |
    grep -oE '^\.B[IR]? \\-\\-[a-z\\-]*=?' | sed 's/^\.B[IR]\? //; s/\\-/-/g' | LC_ALL=C sort)
status=0
if [ "$help_options" != "$page_options" ]; then
    printf 'options in --help:\n%s\noptions in the manual page:\n%s\n' "$help_options" "$page_options"
    status=1
fi
synopsis=$(grep -m1 -E '^kelpway \[OPTION\]' <<<"$help")
if [[ $text != *"$synopsis"* ]]; then
    printf 'the manual page lacks the synopsis line of --help: %s\n' "$synopsis"
    status=1
fi
[ "$status" -eq 0 ] && echo "--help and the manual page agree: $(tr '\n' ' ' <<<"$help_options")"
exit "$status"
