#!/usr/bin/env bash
# kelpway.exe under Wine stopped at moments spread over a run of a large input. Wine hands SIGINT
# to the program as Ctrl-C: the run must end with the whole pair and status 0, or with nothing new
# and STATUS_CONTROL_C_EXIT (0xC000013A, seen by a POSIX parent as 58). SIGTERM, SIGHUP and
# SIGKILL end a Wine process where no handler of the program runs, as TerminateProcess does on
# Windows: the temporaries must go with the process, and no BV10 name may be half-written (such a
# stop may come after the pair is placed, even after the summary).
# Usage: interrupt.sh KELPWAY_EXE WINE_RUN [MEGABYTES]
set -uo pipefail
absolute() { (cd "$(dirname "$1")" && printf '%s/%s' "$(pwd)" "$(basename "$1")"); }
exe=$(absolute "$1") wine=$(absolute "$2") megabytes=${3:-100}
work=$(mktemp -d /tmp/kelpway-interrupt.XXXXXX)
# Only this shell removes it: a run's subshell signalled before its exec would run the trap too.
trap '[ "$BASHPID" != "$$" ] || rm -rf "$work"' EXIT
mkdir "$work/run"
failures=0
fail() { failures=$((failures + 1)); echo "FAILS: $*"; }

# About 1 MB of GPX, waypoints among the track points, repeated.
awk 'BEGIN { for (w = 0; w < 20; w++) {
    printf "<wpt lat=\"35.%d\" lon=\"139.%d\"><name>mark %d</name></wpt>\n<trk><trkseg>\n", 100000 + w, w, w
    for (p = 0; p < 400; p++)
        printf "  <trkpt lat=\"-12.%d\" lon=\"45.25\"><ele>3.5</ele><time>2024-05-31T10:00:00Z</time></trkpt>\n", 100000 + p
    print "</trkseg></trk>" } }' >"$work/chunk"
for ((i = 0; i < megabytes; i++)); do cat "$work/chunk"; done >"$work/run/big.gpx"

now_us() { printf '%s' "${EPOCHREALTIME//[.,]/}"; }

# run_until SIGNAL DELAY_US: one run, stopped after DELAY_US unless it ended first; sets status.
run_until() {
    local signal=$1 delay=$2 start pid
    rm -f "$work/console"  # a run stopped before its redirection has none
    start=$(now_us)
    (cd "$work/run" && exec "$wine" "$exe" big.gpx >"$work/console" 2>/dev/null) &
    pid=$!
    while kill -0 "$pid" 2>/dev/null && (($(now_us) - start < delay)); do sleep 0.002; done
    [ "$signal" = none ] || kill -s "$signal" "$pid" 2>/dev/null
    { wait "$pid"; } 2>/dev/null  # not the shell's note of each killed job
    status=$?
    elapsed_us=$(($(now_us) - start))
}

# What the folder holds besides the input, once Wine has closed the dead process's handles.
left() {
    local i
    for ((i = 0; i < 100; i++)); do
        [ -z "$(cd "$work/run" && ls -A | grep -v '^big.gpx$' | grep -v '^BV100001\.\(DRW\|MMK\)$')" ] && break
        sleep 0.02
    done
    (cd "$work/run" && ls -A | grep -v '^big.gpx$' | LC_ALL=C sort | tr '\n' ' ')
}

# The second clean run is timed: the first also starts Wine's services.
run_until none 0
rm -f "$work/run"/BV100001.*
run_until none 0
[ "$status" -eq 0 ] || { echo "the clean run ended with status $status"; exit 1; }
clean_us=$elapsed_us
mv "$work/run/BV100001.DRW" "$work/clean.DRW"
mv "$work/run/BV100001.MMK" "$work/clean.MMK"
cp "$work/console" "$work/clean.console"
tail -c 3 "$work/clean.DRW" | cmp -s - <(printf 'E\r\n') || fail "the clean DRW lacks its end record"

whole() { cmp -s "$work/run/BV100001.DRW" "$work/clean.DRW" && cmp -s "$work/run/BV100001.MMK" "$work/clean.MMK"; }

runs=0 stopped=0 finished=0 nothing_new=0 before_start=0 ctrl_c=0
for signal in INT TERM HUP KILL; do
    for step in 0 1 2 3 4 5 6 7 8 9 10 11 92 96 100 104 108 1000; do
        # Twelve moments from 0 to 110 % of the clean run, five about its end, one long after.
        percent=$((step <= 11 ? step * 10 : step))
        run_until "$signal" $((clean_us * percent / 100))
        runs=$((runs + 1))
        entries=$(left)
        what="SIG$signal at $percent % of the clean run, status $status, left: ${entries:-nothing}"
        # Stopped in Wine's own start-up, before kelpway.exe runs, the process ends as Wine ends
        # it there: status 0 or 130, nothing printed, nothing created. kelpway itself never ends
        # with 0 and no summary, and dies of no POSIX signal once Wine hands it SIGINT.
        if { [ "$status" -eq 0 ] || [ "$status" -eq 130 ]; } && [ -z "$entries" ] && [ ! -s "$work/console" ]; then
            before_start=$((before_start + 1))
        elif [ "$status" -eq 0 ]; then
            finished=$((finished + 1))
            [ "$entries" = "BV100001.DRW BV100001.MMK " ] && whole || fail "$what (not the whole pair)"
            cmp -s "$work/console" "$work/clean.console" || fail "$what (not the clean summary)"
        else
            stopped=$((stopped + 1))
            case $signal in
                INT) expected=58 ;;
                TERM) expected=143 ;;
                HUP) expected=129 ;;
                KILL) expected=137 ;;
            esac
            [ "$status" -eq "$expected" ] || fail "$what (status $expected expected)"
            if [ "$signal" = INT ]; then
                ctrl_c=$((ctrl_c + 1))
                [ -z "$entries" ] || fail "$what (nothing new expected)"
                [ ! -s "$work/console" ] || fail "$what (printed $(head -c 80 "$work/console"))"
            else
                # No handler runs: killed between placing the DRW and the MMK, the process may
                # leave a whole DRW and the MMK's temporary, and killed after its summary, the
                # whole pair; never a BV10 name half-written.
                for name in BV100001.DRW BV100001.MMK; do
                    [ ! -e "$work/run/$name" ] || cmp -s "$work/run/$name" "$work/clean.${name#*.}" ||
                        fail "$what ($name half-written)"
                done
                if [ -s "$work/console" ]; then
                    cmp -s "$work/console" "$work/clean.console" && [ "$entries" = "BV100001.DRW BV100001.MMK " ] ||
                        fail "$what (printed $(head -c 80 "$work/console"))"
                fi
                [ -n "$entries" ] || nothing_new=$((nothing_new + 1))
            fi
        fi
        rm -f "$work/run"/BV100001.* "$work/run"/.BV10-*
    done
done
echo "interrupt: $runs runs of $megabytes MB under Wine (clean run $((clean_us / 1000)) ms):" \
    "$before_start stopped in Wine's start-up, $stopped stopped later ($ctrl_c by Ctrl-C with nothing" \
    "new, $nothing_new by SIGTERM, SIGHUP or SIGKILL with nothing left, $((stopped - ctrl_c - nothing_new))" \
    "by those after placing the whole pair), $finished finished with the whole pair, $failures failed"
((failures == 0 && stopped > 0 && finished > 0))
