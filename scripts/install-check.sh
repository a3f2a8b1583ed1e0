#!/bin/sh
# Installs Quizmark into a temporary prefix and checks it the way a user meets it: a new user's first
# start, an attempt whose score lands in the user's own folder, the desktop files, the Debian package,
# and a container built against the installed chart control package.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build-tests}
jobs=$(nproc)

[ -f "$build/CMakeCache.txt" ] || cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j "$jobs" >/dev/null

work=$(mktemp -d)
trap 'chmod -R u+w "$work" 2>/dev/null; rm -rf "$work"' EXIT
prefix=$work/prefix
cmake --install "$build" --prefix "$prefix" >/dev/null
chmod -R a-w "$prefix"

fail() {
    echo "install-check: $*" >&2
    exit 1
}

echo "== the installed tree"
for file in bin/quizmark bin/quizmark-bank bin/plotvane-render share/quizmark/dat/index.dat \
    share/quizmark/dat/networking.dat.domains \
    share/applications/org.quizmark.Quizmark.desktop share/metainfo/org.quizmark.Quizmark.metainfo.xml \
    share/icons/hicolor/scalable/apps/org.quizmark.Quizmark.svg share/icons/hicolor/48x48/apps/org.quizmark.Quizmark.png \
    share/man/man1/quizmark.1.gz share/man/man1/quizmark-bank.1.gz share/man/man1/plotvane-render.1.gz \
    include/plotvane/plotvanefactory.h; do
    [ -e "$prefix/$file" ] || fail "missing $file"
done
plugin=$(find "$prefix" -name libplotvane.so.2 | head -n 1)
[ -n "$plugin" ] || fail "the chart library was not installed"
readelf -d "$prefix/bin/quizmark" | grep -q 'RUNPATH.*\$ORIGIN/\.\./' || fail "bin/quizmark has no relative RUNPATH"
find "$prefix" -name results.dat | grep . && fail "a score history was installed"

echo "== a new user's first start and attempt"
home=$work/home
mkdir "$home"
# The prefix moves: the program finds its libraries, plugin and samples relative to itself.
moved=$work/moved
cp -a "$prefix" "$moved"
chmod -R a-w "$moved"
# Permission bits do not stop root, so the tree is compared as well.
before=$(cd "$moved" && find . -printf '%p %s %T@\n' | sort)
out=$(env -u XDG_DATA_HOME -u XDG_CONFIG_HOME HOME="$home" QT_QPA_PLATFORM=offscreen \
    LD_PRELOAD="$build/bin/libquizmark_installed_driver.so" timeout 60 "$moved/bin/quizmark" 2>&1) || {
    echo "$out"
    fail "the installed program did not finish an attempt"
}
echo "$out" | grep '^exam: '
[ "$(echo "$out" | grep -c '^exam: ')" -eq 3 ] || fail "the program did not list the three sample exams"
echo "$out" | grep -q '^attempt: finished' || fail "the attempt did not finish"
userdat=$home/.local/share/quizmark/dat
[ -f "$userdat/index.dat" ] || fail "no per-user copy of the sample exams"
cmp "$moved/share/quizmark/dat/networking.dat.domains" "$userdat/networking.dat.domains" \
    || fail "the domains of the networking sample were not copied with its bank"
[ "$(stat -c %s "$userdat/results.dat")" -eq 8 ] || fail "no score record in $userdat/results.dat"
# The journal beside it holds the attempt too, read through the installed tool and Qt's SQLite driver.
[ -f "$userdat/journal.db" ] || fail "no attempt journal in $userdat"
journaled=$(HOME="$home" "$moved/bin/quizmark-bank" history "$userdat") || fail "the journal could not be listed"
echo "$journaled" | grep -q '^journal:1	' || fail "the journal does not hold the finished attempt"
after=$(cd "$moved" && find . -printf '%p %s %T@\n' | sort)
[ "$before" = "$after" ] || fail "the attempt changed the installed tree"
grep -q "^Path%20To%20Data%20Files=$home/.local/share/quizmark\$" "$home/.config/quizmark/quizmark.ini" \
    || fail "the setting does not name the data directory in use"

echo "== desktop entry and metainfo"
desktop-file-validate "$prefix/share/applications/org.quizmark.Quizmark.desktop"
appstreamcli validate --no-net "$prefix/share/metainfo/org.quizmark.Quizmark.metainfo.xml"

echo "== the Debian package"
"$root/scripts/package.sh" "$build"
dpkg-deb -c "$build"/quizmark_*.deb
dpkg-deb -f "$build"/quizmark_*.deb Depends | grep -q 'libqt6sql6-sqlite' \
    || fail "the package does not depend on Qt's SQLite driver"

echo "== a container built against the installed chart control package"
cmake -S "$root/examples/plotvane-csv" -B "$work/example" -G Ninja -DCMAKE_PREFIX_PATH="$prefix" >/dev/null
cmake --build "$work/example" >/dev/null
QT_QPA_PLATFORM=offscreen "$work/example/plotvane-csv" "$root/examples/plotvane-csv/scores.csv" \
    --png "$work/example/chart.png"
[ -s "$work/example/chart.png" ] || fail "the example drew no chart"
echo "install-check: all good"
