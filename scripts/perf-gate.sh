#!/bin/sh
# Counts the instructions of fixed workloads under callgrind and compares them with the committed
# baselines in bench/baselines.json; fails when any grew by more than 5 % (start-up: 10 %).
#   scripts/perf-gate.sh            check
#   scripts/perf-gate.sh --update   count again and write the counts as the new baselines
# Counts, unlike timings, hold on a busy machine; they do depend on the compiler and Qt, so the
# baselines are those of this project's build machine (RelWithDebInfo, the test build). The fonts
# and the processor features the workloads see are held fixed, so other font packages and another
# processor count the same.
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

# The same fonts whatever else the machine has: a fontconfig set-up of the gate's own that knows
# only the fonts scripts/setup.sh installs, none of the system's rules (a font package brings its
# own aliases), every family falling back to DejaVu Sans, and a cache of its own. It lives in the
# build folder so that its paths, and so the counts, stay the same from run to run.
fonts=$build/perf-fontconfig
rm -rf "$fonts"
mkdir -p "$fonts/fonts" "$fonts/cache"
dpkg-query -L fonts-dejavu-core | grep -E '\.(ttf|otf)$' | while read -r file; do
    ln -s "$file" "$fonts/fonts/"
done
cat >"$fonts/fonts.conf" <<EOF
<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "urn:fontconfig:fonts.dtd">
<fontconfig>
  <dir>$fonts/fonts</dir>
  <cachedir>$fonts/cache</cachedir>
  <match target="pattern">
    <edit name="family" mode="append_last"><string>DejaVu Sans</string></edit>
  </match>
</fontconfig>
EOF
export FONTCONFIG_FILE="$fonts/fonts.conf"
unset FONTCONFIG_PATH FONTCONFIG_SYSROOT
fc-cache -f >/dev/null

# The same code whatever the processor: Qt and the C library choose some of their code by the
# processor's optional features, so every feature above x86-64's baseline (SSE2) is masked, and the
# C library's copying thresholds, which it takes from the cache sizes, are fixed. Masks already in
# the environment are kept, so a run can mask more to play an older processor.
export QT_NO_CPU_FEATURE="${QT_NO_CPU_FEATURE:-} sse3 ssse3 fma sse4.1 sse4.2 movbe popcnt aes avx f16c rdrnd \
bmi avx2 bmi2 avx512f avx512dq rdseed avx512ifma avx512cd sha avx512bw avx512vl avx512vbmi avx512vbmi2 shstk \
gfni vaes avx512vnni avx512bitalg avx512vpopcntdq hybrid ibt avx512fp16"
floor="-SSE3,-SSSE3,-SSE4_1,-SSE4_2,-POPCNT,-MOVBE,-LZCNT,-BMI1,-BMI2,-FMA,-FMA4,-F16C,-AVX,-AVX2,-AVX512F,\
-AVX512CD,-AVX512BW,-AVX512DQ,-AVX512ER,-AVX512PF,-AVX512VL,-AVX512_4FMAPS,-AVX512_4VNNIW,\
-AVX512_VP2INTERSECT,-AVX512_BF16,-AVX512_FP16,-ERMS,-FSRM,-RTM,-XSAVEC,-AVX_Fast_Unaligned_Load,\
-Fast_Unaligned_Copy,-Prefer_No_VZEROUPPER,-Prefer_ERMS,-Prefer_FSRM"
export GLIBC_TUNABLES="${GLIBC_TUNABLES:+$GLIBC_TUNABLES:}glibc.cpu.hwcaps=$floor:\
glibc.cpu.x86_data_cache_size=0x8000:glibc.cpu.x86_shared_cache_size=0x100000:\
glibc.cpu.x86_non_temporal_threshold=0xc0000:glibc.cpu.x86_rep_movsb_threshold=0x800:\
glibc.cpu.x86_rep_stosb_threshold=0x800"

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
