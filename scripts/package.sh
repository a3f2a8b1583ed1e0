#!/bin/sh
# Builds the Debian package of Quizmark (quizmark_VERSION_ARCH.deb in the build folder) and runs
# lintian on it; lintian errors fail the script.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
jobs=$(nproc)

[ -f "$build/CMakeCache.txt" ] || cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j "$jobs" >/dev/null
(cd "$build" && cpack -G DEB >/dev/null)
package=$(ls -t "$build"/quizmark_*.deb | head -n 1)
echo "$package"
dpkg-deb -I "$package" | sed -n '/Package:/,$p'
# Tags at error level fail; warnings and notes are shown.
lintian --fail-on error "$package"
