#!/bin/sh
# Builds the program and starts it on the bundled sample exams.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
# The program, its chart library, the tools and dat/; the tests have their own build.
cmake -S "$root" -B "$root/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=OFF >/dev/null
cmake --build "$root/build" -j "$(nproc)"
exec "$root/build/bin/quizmark"
