#!/bin/sh
# Times start-up to the first painted frame: the program against a bare Qt main window with two
# menus, alternating, and prints the medians and their ratio.
#   scripts/startup-bench.sh [RUNS]     (default 21 of each)
# A preloaded library ends each process at its first frame; the program is not changed for it.
# It uses the platform of QT_QPA_PLATFORM, or offscreen when that is unset.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=${QUIZMARK_PERF_BUILD:-$root/build-tests}
runs=${1:-21}
"$root/scripts/setup.sh"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUIZMARK_BENCHMARKS=ON >/dev/null
cmake --build "$build" -j "$(nproc)" --target quizmark plotvane bare_window quizmark_firstframe >/dev/null
bin=$build/bin
export QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT INT TERM

# Microseconds from exec to the end at the first frame.
timed() {
    start=$(date +%s%N)
    LD_PRELOAD="$bin/libquizmark_firstframe.so" "$@" >/dev/null 2>&1
    end=$(date +%s%N)
    echo $(((end - start) / 1000))
}

median() {
    sort -n "$1" | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

timed "$bin/quizmark" >/dev/null # caches warm before the first counted run
timed "$bin/bare_window" >/dev/null
i=0
while [ "$i" -lt "$runs" ]; do
    timed "$bin/quizmark" >>"$work/program"
    timed "$bin/bare_window" >>"$work/bare"
    i=$((i + 1))
done
program=$(median "$work/program")
bare=$(median "$work/bare")
echo "platform $QT_QPA_PLATFORM, $runs runs each, medians to the first painted frame:"
awk -v p="$program" -v b="$bare" 'BEGIN {
    printf "  quizmark     %7.1f ms\n  bare window  %7.1f ms\n  ratio        %7.2f\n", p / 1000, b / 1000, p / b }'
