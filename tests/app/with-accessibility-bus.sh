#!/bin/sh
# Runs a command as on a desktop where a screen reader listens: an X display of its own, a session
# bus and the accessibility bus, with Qt reporting to it. Used by the tests that count what
# assistive technology is told.
set -eu
work=$(mktemp -d)
trap 'kill "$xvfb" 2>/dev/null || true; rm -rf "$work"' EXIT
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb=$!
for _ in $(seq 50); do
    [ -s "$work/display" ] && break
    sleep 0.1
done
[ -s "$work/display" ] || { echo "Xvfb did not start" >&2; cat "$work/xvfb.log" >&2; exit 1; }
DISPLAY=":$(cat "$work/display")"
export DISPLAY QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
dbus-run-session -- sh -c '/usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 & "$@"; status=$?; kill $! 2>/dev/null; exit $status' sh "$@"
