#!/bin/sh
# Installs every Debian package the build, the tests and the benchmarks need. Safe to run again.
set -eu

PACKAGES="cmake ninja-build g++ pkg-config
qt6-base-dev qt6-base-dev-tools qt6-charts-dev libgl1-mesa-dev
libgtest-dev googletest libbenchmark-dev libmd4c-dev libmd4c-html0-dev libxxhash-dev
xvfb xauth imagemagick fonts-dejavu-core xdotool
clang libclang-rt-14-dev valgrind poppler-utils libqt6sql6-sqlite nlohmann-json3-dev
dbus at-spi2-core python3 python3-pyatspi gir1.2-atspi-2.0
desktop-file-utils appstream lintian dpkg-dev fakeroot file"

missing=""
for package in $PACKAGES; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing="$missing $package"
done
[ -z "$missing" ] && exit 0

if [ "$(id -u)" -eq 0 ]; then
    run=""
elif command -v sudo >/dev/null 2>&1; then
    run="sudo"
else
    echo "setup: need root or sudo to install:$missing" >&2
    exit 1
fi
export DEBIAN_FRONTEND=noninteractive
$run apt-get update -q
# shellcheck disable=SC2086
$run apt-get install -y -q --no-install-recommends $missing
