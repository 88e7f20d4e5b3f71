#!/usr/bin/env bash
# The Windows build: kelpway.exe cross-built with MinGW-w64, its unit tests, a differential
# end-to-end suite, a charset differential and an interrupt test run under Wine, and the release
# archive. Needs build/kelpway and build/tests/kelpway_charset_tables (the Linux build with its
# tests) and the packages g++-mingw-w64-x86-64-posix, wine64, googletest (sources) and mandoc.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
build=$root/build-windows
started=$SECONDS
step() { echo "== windows: $1 ($((SECONDS - started)) s)"; }

# One persistent Wine server for the whole run: each program then starts in well under a second.
export WINEPREFIX=$build/wineprefix WINEDEBUG=-all WINEARCH=win64 LC_ALL=C.UTF-8
export WINEDLLOVERRIDES="mscoree,mshtml=;winedbg.exe=d"
server=/usr/lib/wine/wineserver64
mkdir -p "$WINEPREFIX"
"$server" -k 2>/dev/null || true
"$server" -w
"$server" -p
trap '"$server" -k || true' EXIT
step "creating the Wine prefix"
/usr/lib/wine/wine64 wineboot -i 2>/dev/null

# GoogleTest for MinGW from Debian's sources, into a root of its own.
gtest_root=$build/gtest-root
if [ ! -f "$gtest_root/lib/cmake/GTest/GTestConfig.cmake" ]; then
  step "building GoogleTest for MinGW"
  cmake -S /usr/src/googletest -B "$build/gtest-build" --toolchain "$root/cmake/mingw-w64-x86_64.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DBUILD_GMOCK=OFF -DCMAKE_INSTALL_PREFIX="$gtest_root" >/dev/null
  cmake --build "$build/gtest-build" -j "$(nproc)" >/dev/null
  cmake --install "$build/gtest-build" >/dev/null
fi

step "cross-building"
cmake --preset windows -DBUILD_TESTING=ON -DMINGW_EXTRA_ROOTS="$gtest_root" >/dev/null
cmake --build --preset windows -j "$(nproc)"
# Statically linked: nothing but the system's own DLLs.
for exe in "$build"/kelpway.exe "$build"/tests/*.exe; do
  other=$(x86_64-w64-mingw32-objdump -p "$exe" | awk '/DLL Name/ { print $3 }' |
    grep -viE '^(kernel32|msvcrt|user32|advapi32|shell32|ntdll)\.dll$' || true)
  [ -z "$other" ] || { echo "$exe imports $other" >&2; exit 1; }
done

step "unit tests under Wine"
ctest --test-dir "$build" --output-on-failure -j "$(nproc)"

step "kelpway.exe and its charsets against the Linux build"
folders=(examples tests/e2e/data)
if [ -n "${KELPWAY_CORPUS:-}" ]; then folders+=("$KELPWAY_CORPUS"); fi
tests/windows/differential.sh build/kelpway "$build/kelpway.exe" cmake/wine-run.sh "${folders[@]}"
tests/windows/charset_differential.sh build/tests/kelpway_charset_tables "$build/tests/kelpway_charset_tables.exe" \
  cmake/wine-run.sh

step "kelpway.exe stopped by Ctrl-C and by signals under Wine"
tests/windows/interrupt.sh "$build/kelpway.exe" cmake/wine-run.sh

step "kelpway.exe opened from the desktop under Wine"
tests/windows/desktop.sh "$build/kelpway.exe" cmake/wine-run.sh examples

step "the release archive"
(cd "$build" && cpack -G ZIP >/dev/null)
contents=$(unzip -Z1 "$build/kelpway-1.10-win64.zip" | LC_ALL=C sort | tr '\n' ' ')
[ "$contents" = "LICENSE.txt README.txt kelpway.exe kelpway.html " ] || { echo "archive holds: $contents" >&2; exit 1; }
step "done"
