#!/bin/sh
# Runs a Windows program under Debian's wine64, headless. Wine variables the caller set are kept.
: "${WINEPREFIX:=${HOME:-/root}/.wine-kelpway}"
: "${WINEDEBUG:=-all}"
# No Mono or Gecko installers, and a crash is an exit status rather than a debugger's dump.
: "${WINEDLLOVERRIDES:=mscoree,mshtml=;winedbg.exe=d}"
export WINEPREFIX WINEDEBUG WINEDLLOVERRIDES WINEARCH=win64
# Wine reads arguments and file names in the Unix locale: non-ASCII needs UTF-8.
export LC_ALL=C.UTF-8
unset DISPLAY
exec /usr/lib/wine/wine64 "$@"
