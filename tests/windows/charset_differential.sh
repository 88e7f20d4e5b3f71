#!/usr/bin/env bash
# How the Windows build reads and writes every character of every charset, under Wine, against
# the Linux build: the same, but where the tables of glibc and Windows themselves differ (CP1255's
# 0xCA, which only Windows reads, as U+05BA; the four box-drawing characters that CP950 holds twice,
# for which each writes its own form).
# Usage: charset_differential.sh LINUX_CHARSET_TABLES CHARSET_TABLES_EXE WINE_RUN
set -euo pipefail
linux=$1 exe=$2 wine=$3
work=$(mktemp -d /tmp/kelpway-charsets.XXXXXX)
trap 'rm -rf "$work"' EXIT
known='^[<>] (CP1255 D CA |CP1255 E 05BA |CP950 E (2550|255E|2561|256A) )'

"$linux" >"$work/linux"
"$wine" "$exe" | tr -d '\r' >"$work/windows"
diff "$work/linux" "$work/windows" | grep '^[<>]' >"$work/differences" || true
unknown=$(grep -cvE "$known" "$work/differences" || true)
echo "charset differential: $(wc -l <"$work/linux") lines, $(wc -l <"$work/differences") differ" \
  "($(grep -cE "$known" "$work/differences" || true) known)"
if (( unknown > 0 )); then
  grep -vE "$known" "$work/differences" | head -20
  exit 1
fi
