#!/bin/sh
# Runs a test executable's "OnRealScreen" tests on a real X display, as a coach's desk has one:
# Xvfb at 1366x768 with Xft.dpi 120 (125%), the openbox window manager, and Qt's xcb platform.
# Input in those tests comes as real X events (xdotool). Usage: on-screen.sh <test executable>
set -eu
work=$(mktemp -d)
xvfb=""
wm=""
cleanup() {
    [ -n "$wm" ] && kill "$wm" 2>/dev/null || true
    [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT INT TERM

# Xvfb picks a free display number itself and writes it once it accepts connections.
Xvfb -displayfd 5 -screen 0 1366x768x24 -dpi 120 -nolisten tcp -noreset 5>"$work/display" 2>"$work/xvfb.log" &
xvfb=$!
tries=0
until [ -s "$work/display" ]; do
    tries=$((tries + 1))
    if [ "$tries" -gt 600 ] || ! kill -0 "$xvfb" 2>/dev/null; then
        cat "$work/xvfb.log" >&2
        echo "Xvfb did not start" >&2
        exit 1
    fi
    sleep 0.1
done
DISPLAY=":$(cat "$work/display")"
export DISPLAY
echo "Xft.dpi: 120" | xrdb -nocpp -merge

openbox --sm-disable >"$work/openbox.log" 2>&1 &
wm=$!
# The window manager is up once it has named itself on the root window.
tries=0
until xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"; do
    tries=$((tries + 1))
    if [ "$tries" -gt 600 ] || ! kill -0 "$wm" 2>/dev/null; then
        cat "$work/openbox.log" >&2
        echo "openbox did not start" >&2
        exit 1
    fi
    sleep 0.1
done

QT_QPA_PLATFORM=xcb
export QT_QPA_PLATFORM
unset QT_SCALE_FACTOR QT_SCREEN_SCALE_FACTORS QT_AUTO_SCREEN_SCALE_FACTOR QT_ENABLE_HIGHDPI_SCALING
"$1" --gtest_filter='*OnRealScreen*'
