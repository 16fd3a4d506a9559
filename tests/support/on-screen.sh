#!/bin/sh
# Runs a test executable's "OnRealScreen" tests on a real X display, as a coach's desk has one:
# Xvfb at 1366x768 with Xft.dpi 120 (125%), the openbox window manager, and Qt's xcb platform.
# Input in those tests comes as real X events (xdotool). Usage: on-screen.sh <test executable>
set -eu
# A test executable without such tests needs no display: nothing is started for it.
if ! "$1" --gtest_list_tests --gtest_filter='*OnRealScreen*' | grep -q '^  '; then
    echo "no test runs on a real screen"
    exit 0
fi
work=$(mktemp -d)
xvfb=""
wm=""
cleanup() {
    [ -n "$wm" ] && kill "$wm" 2>/dev/null || true
    [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT INT TERM

# Waits until `ready` holds while the process `pid` runs (at most a minute); names `what` and
# shows its log when it does not come up.
await() {
    what=$1 pid=$2 log=$3 ready=$4
    tries=0
    until eval "$ready"; do
        tries=$((tries + 1))
        if [ "$tries" -gt 600 ] || ! kill -0 "$pid" 2>/dev/null; then
            cat "$log" >&2
            echo "$what did not start" >&2
            exit 1
        fi
        sleep 0.1
    done
}

# Xvfb picks a free display number itself and writes it once it accepts connections.
Xvfb -displayfd 5 -screen 0 1366x768x24 -dpi 120 -nolisten tcp -noreset 5>"$work/display" 2>"$work/xvfb.log" &
xvfb=$!
await Xvfb "$xvfb" "$work/xvfb.log" '[ -s "$work/display" ]'
DISPLAY=":$(cat "$work/display")"
export DISPLAY
echo "Xft.dpi: 120" | xrdb -nocpp -merge

# The window manager of a desk that kept its defaults, whatever the developer's own settings are.
HOME="$work" openbox --sm-disable >"$work/openbox.log" 2>&1 &
wm=$!
# The window manager is up once it has named itself on the root window.
await openbox "$wm" "$work/openbox.log" 'xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"'

QT_QPA_PLATFORM=xcb
export QT_QPA_PLATFORM
unset QT_SCALE_FACTOR QT_SCREEN_SCALE_FACTORS QT_AUTO_SCREEN_SCALE_FACTOR QT_ENABLE_HIGHDPI_SCALING
"$1" --gtest_filter='*OnRealScreen*'
