#!/bin/sh
# Builds the libFuzzer targets and runs each in turn for SECONDS (default 60) on its seed corpus
# (FUZZ_JOBS=N runs N at once).
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

# Runs one target; its line of the summary goes to logs/TARGET.result.
run_target() {
    target=$1
    seeds="$root/fuzz/corpus/$target"
    corpus="$build/corpus/$target"
    log="$build/logs/$target.log"
    mkdir -p "$corpus"
    echo "fuzz: $target for $seconds s"
    # -max_len: inputs up to a few records of the largest record format.
    if "$build/bin/$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=8192 \
        -print_final_stats=1 -artifact_prefix="$build/artifacts/$target-" "$corpus" "$seeds" >"$log" 2>&1; then
        result=""
    else
        result=" FAILED"
        tail -n 60 "$log" >&2
    fi
    executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
    printf '%-18s %10s %14s%s\n' "$target" "$seconds" "${executions:-?}" "$result" >"$build/logs/$target.result"
}

targets=$(cd "$root/fuzz/corpus" && ls -d -- */ | tr -d /)
rm -f "$build"/logs/*.result
# FUZZ_JOBS targets run at once (default 1), each group one target after another.
jobs=${FUZZ_JOBS:-1}
group=0
while [ "$group" -lt "$jobs" ]; do
    (
        index=0
        for target in $targets; do
            [ $((index % jobs)) -eq "$group" ] && run_target "$target"
            index=$((index + 1))
        done
    ) &
    group=$((group + 1))
done
wait

summary="$build/fuzz-summary.txt"
printf '%-18s %10s %14s\n' target seconds executions >"$summary"
failed=""
for target in $targets; do
    if [ -f "$build/logs/$target.result" ]; then
        cat "$build/logs/$target.result" >>"$summary"
        grep -q FAILED "$build/logs/$target.result" && failed="$failed $target"
    else
        printf '%-18s %10s %14s FAILED\n' "$target" "$seconds" "?" >>"$summary"
        failed="$failed $target"
    fi
done
cat "$summary"
if [ -n "$failed" ]; then
    echo "fuzz: findings in:$failed (inputs in $build/artifacts/)" >&2
    exit 1
fi
