#!/usr/bin/env bash
# `cmake --install` into a fresh prefix gives exactly the program, its manual page and its bash
# completion, and the installed program runs.
# Usage: install_tree.sh CMAKE BUILD_DIR BUILT_BINARY MANUAL_PAGE VERSION COMPLETION
set -euo pipefail
cmake=$1 build=$2 built=$3 page=$4 version=$5 completion=$6

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
unset DESTDIR  # would move the whole tree out of the prefix

if ! "$cmake" --install "$build" --prefix "$tmp/prefix" >"$tmp/install.log" 2>&1; then
    cat "$tmp/install.log"
    exit 1
fi

installed=$(cd "$tmp/prefix" && find . ! -type d | LC_ALL=C sort)
expected=$'./bin/kelpway\n./share/bash-completion/completions/kelpway\n./share/man/man1/kelpway.1'
if [ "$installed" != "$expected" ]; then
    printf 'installed files:\n%s\nexpected:\n%s\n' "$installed" "$expected"
    exit 1
fi
[ -x "$tmp/prefix/bin/kelpway" ] || { echo "bin/kelpway is not executable"; exit 1; }
cmp "$built" "$tmp/prefix/bin/kelpway"
cmp "$page" "$tmp/prefix/share/man/man1/kelpway.1"
cmp "$completion" "$tmp/prefix/share/bash-completion/completions/kelpway"

banner=$(printf 'Sondrix GPX data --> Bravik DRW,MMK data conversion  Ver%s\nUsage: KELPWAY ***.GPX ' "$version")
code=0
output=$("$tmp/prefix/bin/kelpway") || code=$?
if [ "$code" -ne 0 ] || [ "$output" != "$banner" ]; then
    printf 'installed kelpway printed (status %d):\n%s\nexpected (status 0):\n%s\n' "$code" "$output" "$banner"
    exit 1
fi
echo "installed tree and banner as expected"
