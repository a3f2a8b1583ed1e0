#!/bin/sh
# Times start-up to the first painted frame: the program against a bare Qt main window with two
# menus, alternating, and prints the medians of the time and of the peak memory, and their ratios.
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

# Microseconds from exec to the end at the first frame, and the process's peak resident kilobytes.
measured() {
    python3 - "$bin/libquizmark_firstframe.so" "$@" <<'EOF'
import os, resource, subprocess, sys, time
environment = dict(os.environ, LD_PRELOAD=sys.argv[1])
start = time.perf_counter_ns()
subprocess.run(sys.argv[2:], env=environment, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
elapsed = (time.perf_counter_ns() - start) // 1000
print(elapsed, resource.getrusage(resource.RUSAGE_CHILDREN).ru_maxrss)
EOF
}

run() {
    measured "$bin/$1" | {
        read -r micros kilobytes
        echo "$micros" >>"$work/$1.time"
        echo "$kilobytes" >>"$work/$1.memory"
    }
}

median() {
    sort -n "$1" | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

measured "$bin/quizmark" >/dev/null # caches warm before the first counted run
measured "$bin/bare_window" >/dev/null
i=0
while [ "$i" -lt "$runs" ]; do
    run quizmark
    run bare_window
    i=$((i + 1))
done
echo "platform $QT_QPA_PLATFORM, $runs runs each, medians to the first painted frame:"
awk -v p="$(median "$work/quizmark.time")" -v b="$(median "$work/bare_window.time")" \
    -v pm="$(median "$work/quizmark.memory")" -v bm="$(median "$work/bare_window.memory")" 'BEGIN {
    printf "               %10s %14s\n", "time", "peak memory"
    printf "  quizmark     %7.1f ms %11.1f MB\n", p / 1000, pm / 1024
    printf "  bare window  %7.1f ms %11.1f MB\n", b / 1000, bm / 1024
    printf "  ratio        %10.2f %14.2f\n", p / b, pm / bm }'
