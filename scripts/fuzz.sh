#!/bin/sh
# Builds the libFuzzer targets and runs each in turn for SECONDS (default 60) on its seed corpus.
# Fails on any crash, hang (one input over 10 s), leak, sanitizer report or out-of-memory.
# The corpus each run grows is kept in build-fuzz/corpus/, a failing input in build-fuzz/artifacts/.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
build="$root/build-fuzz"
"$root/scripts/setup.sh"

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
    -DQUIZMARK_FUZZ=ON -DBUILD_TESTING=OFF >/dev/null
cmake --build "$build" --target fuzz_targets -j "$(nproc)"

export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=1:allocator_may_return_null=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
mkdir -p "$build/corpus" "$build/artifacts" "$build/logs"
summary="$build/fuzz-summary.txt"
printf '%-18s %10s %14s\n' target seconds executions >"$summary"
failed=""
for seeds in "$root"/fuzz/corpus/*/; do
    target=$(basename "$seeds")
    corpus="$build/corpus/$target"
    log="$build/logs/$target.log"
    mkdir -p "$corpus"
    # Inputs up to a few records of the largest record format.
    maxlen=8192
    echo "fuzz: $target for $seconds s"
    if "$build/bin/$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len="$maxlen" \
        -print_final_stats=1 -artifact_prefix="$build/artifacts/$target-" "$corpus" "$seeds" >"$log" 2>&1; then
        result=""
    else
        result=" FAILED"
        failed="$failed $target"
        tail -n 60 "$log" >&2
    fi
    executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
    printf '%-18s %10s %14s%s\n' "$target" "$seconds" "${executions:-?}" "$result" >>"$summary"
done
cat "$summary"
if [ -n "$failed" ]; then
    echo "fuzz: findings in:$failed (inputs in $build/artifacts/)" >&2
    exit 1
fi
