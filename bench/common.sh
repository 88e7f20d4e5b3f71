# Shared by the benchmark scripts (sourced): the Release build in build-bench/ and a clock.

# build_bench ROOT TARGET...: builds the targets into ROOT/build-bench; shows the log on failure.
build_bench() {
    local root=$1
    shift
    local build="$root/build-bench" log
    mkdir -p "$build"
    log="$build/bench-build.log"
    if ! { cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DKELPWAY_BENCHMARKS=ON \
            -DBUILD_TESTING=OFF && cmake --build "$build" -j "$(nproc)" --target "$@"; } >"$log" 2>&1; then
        cat "$log" >&2
        echo "error: build failed (log above)" >&2
        exit 1
    fi
    rm -f "$log"
}

# Microseconds; EPOCHREALTIME (bash 5) needs no fork, which would add a millisecond per reading.
if [[ -n ${EPOCHREALTIME:-} ]]; then
    stamp() { printf -v "$1" '%s' "${EPOCHREALTIME//[.,]/}"; }
else
    stamp() { printf -v "$1" '%s' "$(($(date +%s%N) / 1000))"; }
fi
