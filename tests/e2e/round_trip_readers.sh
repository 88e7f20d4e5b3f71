#!/usr/bin/env bash
# Every GPX the round-trip tests write, read by three GPX readers of Debian (gpx_readers.sh).
# Usage: round_trip_readers.sh KELPWAY_TESTS   (exit 77, a skip, when a reader is missing)
set -euo pipefail
tests=$1
here=$(cd "$(dirname "$0")" && pwd)
folder=$(mktemp -d "${TMPDIR:-/tmp}/kelpway-readers.XXXXXX")
trap 'rm -rf "$folder"' EXIT
KELPWAY_ROUND_TRIP_GPX=$folder "$tests" --gtest_filter='PairRoundTrip.*' >/dev/null
"$here/gpx_readers.sh" "$folder"
