#!/bin/sh
# Counts the instructions of fixed workloads under callgrind and compares them with the committed
# baselines in bench/baselines.json; fails when any grew by more than 5 % (start-up: 10 %).
#   scripts/perf-gate.sh            check
#   scripts/perf-gate.sh --update   count again and write the counts as the new baselines
# Counts, unlike timings, hold on a busy machine; they do depend on the compiler and Qt, so the
# baselines are those of this project's build machine (RelWithDebInfo, the test build).
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=${QUIZMARK_PERF_BUILD:-$root/build-tests}
baselines=$root/bench/baselines.json
tolerance=5
update=0
case "${1:-}" in
--update) update=1 ;;
"") ;;
*) echo "usage: $0 [--update]" >&2; exit 2 ;;
esac

"$root/scripts/setup.sh"
# The test command leaves this build; only the workload program and the start-up hook are new.
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUIZMARK_BENCHMARKS=ON >/dev/null
cmake --build "$build" -j "$(nproc)" --target quizmark plotvane perf_workloads quizmark_firstframe >/dev/null
bin=$build/bin

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT INT TERM
# Fixed surroundings: no saved settings, no display, no random hash seeds.
export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_CACHE_HOME="$work/home/.cache"
export XDG_RUNTIME_DIR="$work/run" QT_QPA_PLATFORM=offscreen QT_HASH_SEED=0 LC_ALL=C.UTF-8
mkdir -p "$HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"

# Instructions of the calls into one function (or of the whole run when none is given), and of
# the chart's second thread, which writes half of a large picture.
count() {
    name=$1
    function=$2
    shift 2
    out="$work/$name.callgrind"
    if [ -n "$function" ]; then
        valgrind --tool=callgrind --callgrind-out-file="$out" --collect-atstart=no \
            --toggle-collect="$function" --toggle-collect='plotvane::PixelBatch::writeRowsAside(*' \
            "$@" >"$work/$name.log" 2>&1
    else
        valgrind --tool=callgrind --callgrind-out-file="$out" "$@" >"$work/$name.log" 2>&1
    fi || { cat "$work/$name.log" >&2; echo "perf-gate: $name did not run" >&2; exit 1; }
    sed -n 's/^summary: *//p' "$out"
}

workload() {
    name=$1
    case $name in
    startup)
        # Once without counting, so that the font caches exist before the counted run.
        (
            export LD_PRELOAD="$bin/libquizmark_firstframe.so"
            "$bin/quizmark" >/dev/null 2>&1
            count startup "" "$bin/quizmark"
        )
        ;;
    examstart) count examstart 'quizmark_bench::Workloads::examStart(*' "$bin/perf_workloads" examstart ;;
    scoring) count scoring 'quizmark_bench::Workloads::scoring(*' "$bin/perf_workloads" scoring ;;
    history) count history 'quizmark_bench::Workloads::historyLoad(*' "$bin/perf_workloads" history ;;
    chart) count chart 'quizmark_bench::Workloads::chartRefresh(*' "$bin/perf_workloads" chart ;;
    esac
}

baseline() {
    sed -n "s/^ *\"$1\": *\([0-9][0-9]*\),\{0,1\}$/\1/p" "$baselines"
}

names="startup examstart scoring history chart"
failed=0
printf '%-10s %15s %15s %8s\n' workload baseline instructions change
: >"$work/counts"
for name in $names; do
    now=$(workload "$name")
    [ -n "$now" ] || { echo "perf-gate: no count for $name" >&2; exit 1; }
    echo "$name $now" >>"$work/counts"
    was=$(baseline "$name")
    if [ -z "$was" ]; then
        printf '%-10s %15s %15s %8s\n' "$name" - "$now" new
        [ "$update" -eq 1 ] || failed=1
        continue
    fi
    # Start-up is a whole process: the loader and the font set-up move with the folder and the
    # caches it finds (seen from -8 % to +0.3 % between clones), so it gets twice the room.
    tolerance=5
    [ "$name" = startup ] && tolerance=10
    change=$(awk -v now="$now" -v was="$was" 'BEGIN { printf "%+.1f%%", (now - was) * 100 / was }')
    printf '%-10s %15s %15s %8s\n' "$name" "$was" "$now" "$change"
    if awk -v now="$now" -v was="$was" -v t="$tolerance" 'BEGIN { exit !(now > was * (1 + t / 100)) }'; then
        echo "perf-gate: $name grew by more than $tolerance % ($change)" >&2
        failed=1
    fi
done

if [ "$update" -eq 1 ]; then
    awk 'BEGIN { print "{" } { line[NR] = sprintf("    \"%s\": %s", $1, $2) }
        END { for (i = 1; i <= NR; ++i) print line[i] (i < NR ? "," : ""); print "}" }' \
        "$work/counts" >"$baselines"
    echo "perf-gate: baselines written to bench/baselines.json"
    exit 0
fi
[ "$failed" -eq 0 ] || { echo "perf-gate: FAILED (update on purpose with $0 --update)" >&2; exit 1; }
echo "perf-gate: every workload within its room (5 %, start-up 10 %) of its baseline"
