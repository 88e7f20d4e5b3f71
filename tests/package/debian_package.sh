#!/usr/bin/env bash
# cpack builds the .deb; unpacked into a scratch root, it holds the bash completion, and its
# program converts the bundled example byte for byte as expected.
# Usage: debian_package.sh CPACK BUILD_DIR EXAMPLES_DIR MANUAL_PAGE VERSION COMPLETION
set -euo pipefail
cpack=$1 build=$2 examples=$3 page=$4 version=$5 completion=$6

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
expected+=$'\n./usr/share/man/man1/kelpway.1.gz'
if [ "$unpacked" != "$expected" ]; then
    printf 'package files:\n%s\nexpected:\n%s\n' "$unpacked" "$expected"
    exit 1
fi
gzip -dc "$tmp/root/usr/share/man/man1/kelpway.1.gz" | cmp - "$page"
cmp "$completion" "$tmp/root/usr/share/bash-completion/completions/kelpway"

mkdir "$tmp/work"
cp "$examples/tokyo-bay.gpx" "$tmp/work/"
"$tmp/root/usr/bin/kelpway" "$tmp/work/tokyo-bay.gpx" 5 >"$tmp/stdout"
cmp "$examples/tokyo-bay.stdout" "$tmp/stdout"
cmp "$examples/tokyo-bay.DRW" "$tmp/work/BV100001.DRW"
cmp "$examples/tokyo-bay.MMK" "$tmp/work/BV100001.MMK"
produced=$(cd "$tmp/work" && ls -A | LC_ALL=C sort | tr '\n' ' ')
[ "$produced" = "BV100001.DRW BV100001.MMK tokyo-bay.gpx " ] || { echo "work dir: $produced"; exit 1; }
echo "$(basename "$deb") converts the example as expected"
