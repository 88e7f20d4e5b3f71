#!/usr/bin/env bash
# cpack builds the .deb; unpacked into a scratch root, it holds the documents Debian asks for and
# the bash completion, and its program converts the bundled example byte for byte as expected.
# lintian, when installed, reports neither error nor warning.
# Usage: debian_package.sh CPACK BUILD_DIR EXAMPLES_DIR MANUAL_PAGE VERSION COMPLETION LICENSE
set -euo pipefail
cpack=$1 build=$2 examples=$3 page=$4 version=$5 completion=$6 licence=$7

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
unset DESTDIR

# -B keeps the package and cpack's staging tree out of the build directory.
if ! "$cpack" --config "$build/CPackConfig.cmake" -G DEB -B "$tmp/out" >"$tmp/cpack.log" 2>&1; then
    cat "$tmp/cpack.log"
    exit 1
fi
shopt -s nullglob
debs=("$tmp/out/kelpway_${version}_"*.deb)
if [ "${#debs[@]}" -ne 1 ]; then
    echo "expected one kelpway_${version}_ARCH.deb, found:"
    ls -A "$tmp/out"
    exit 1
fi
deb=${debs[0]}

field() {  # field NAME EXPECTED
    local value
    value=$(dpkg-deb -f "$deb" "$1")
    [ "$value" = "$2" ] || { printf '%s: %s, expected %s\n' "$1" "$value" "$2"; exit 1; }
}
field Package kelpway
field Version "$version"
field Section utils
[ -n "$(dpkg-deb -f "$deb" Maintainer)" ] || { echo "no Maintainer"; exit 1; }
depends=$(dpkg-deb -f "$deb" Depends)
[[ $depends == *libc6* && $depends == *libstdc++6* ]] || { echo "Depends: $depends"; exit 1; }

dpkg-deb -x "$deb" "$tmp/root"
unpacked=$(cd "$tmp/root" && find . ! -type d | LC_ALL=C sort)
expected=$'./usr/bin/kelpway\n./usr/share/bash-completion/completions/kelpway'
expected+=$'\n./usr/share/doc/kelpway/changelog.gz\n./usr/share/doc/kelpway/copyright'
expected+=$'\n./usr/share/man/man1/kelpway.1.gz'
if [ "$unpacked" != "$expected" ]; then
    printf 'package files:\n%s\nexpected:\n%s\n' "$unpacked" "$expected"
    exit 1
fi
gzip -dc "$tmp/root/usr/share/man/man1/kelpway.1.gz" | cmp - "$page"
cmp "$completion" "$tmp/root/usr/share/bash-completion/completions/kelpway"

# The changelog's latest entry is this version's; the copyright file is machine-readable and
# holds the terms of LICENSE.
doc=$tmp/root/usr/share/doc/kelpway
latest=$(gzip -dc "$doc/changelog.gz" | head -n 1)
[[ $latest == "kelpway ($version) "* ]] || { echo "changelog begins: $latest"; exit 1; }
head -n 1 "$doc/copyright" | grep -qx 'Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' ||
    { echo "copyright: no Format line"; exit 1; }
terms=$(sed -n '/^License: Expat$/,$p' "$doc/copyright" | tail -n +2 | sed 's/^ //; s/^\.$//')
[ "$terms" = "$(sed -n '/^Permission /,$p' "$licence")" ] || { echo "copyright: not the terms of LICENSE"; exit 1; }

if command -v lintian >/dev/null; then
    # Tags go to standard output, a notice about running as root to standard error.
    report=$(lintian --tag-display-limit 0 --display-info "$deb" 2>/dev/null) || true
    if grep -qE '^[EW]: ' <<<"$report"; then
        printf 'lintian reports:\n%s\n' "$report"
        exit 1
    fi
    [ -z "$report" ] || printf 'lintian (information only):\n%s\n' "$report"
else
    echo "lintian not installed: the package was not linted"
fi

mkdir "$tmp/work"
cp "$examples/tokyo-bay.gpx" "$tmp/work/"
"$tmp/root/usr/bin/kelpway" "$tmp/work/tokyo-bay.gpx" 5 >"$tmp/stdout"
cmp "$examples/tokyo-bay.stdout" "$tmp/stdout"
cmp "$examples/tokyo-bay.DRW" "$tmp/work/BV100001.DRW"
cmp "$examples/tokyo-bay.MMK" "$tmp/work/BV100001.MMK"
produced=$(cd "$tmp/work" && ls -A | LC_ALL=C sort | tr '\n' ' ')
[ "$produced" = "BV100001.DRW BV100001.MMK tokyo-bay.gpx " ] || { echo "work dir: $produced"; exit 1; }
echo "$(basename "$deb") converts the example as expected"
