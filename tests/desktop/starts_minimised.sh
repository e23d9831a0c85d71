#!/bin/bash
# The main window under a real X server and window manager, which the offscreen platform of the other tests
# cannot show: it starts minimised (X WM_STATE Iconic) after the subnet notice, offers no maximise, and an
# arriving message restores it. Runs in a private network namespace of its own. Exits 77, with the reason,
# when Xvfb, openbox, xdotool, xprop or network namespaces are missing here.
# Usage: starts_minimised.sh <program> <net_send tool>
set -u
skip() { echo "SKIPPED: $*"; exit 77; }
fail() {
    echo "FAILED: $*"
    [ -n "${work:-}" ] && seen
    exit 1
}
[ $# -eq 2 ] || { echo "usage: $0 <program> <net_send tool>" >&2; exit 2; }

if [ -z "${QUIBBLY_DESKTOP_NETNS:-}" ]; then
    for tool in Xvfb openbox xdotool xprop; do
        command -v "$tool" >/dev/null || skip "$tool is not installed (scripts/install-deps.sh installs it)"
    done
    unshare -n true 2>/dev/null || skip "a private network namespace cannot be made here (unshare -n)"
    QUIBBLY_DESKTOP_NETNS=1 exec unshare -n sh -c 'ip link set lo up && exec "$0" "$@"' "$0" "$@"
fi

work=$(mktemp -d)
pids=()
finish() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null; done
    wait 2>/dev/null
    rm -rf "$work"
}
trap finish EXIT
# Every question to the X server has a deadline of its own: a reply that never comes is a failure, not a hang.
x() { timeout 10 "$@"; }
# Polls a condition for up to $1 seconds. The deadlines are long: a loaded machine takes its time, and a
# passing run never waits them out.
within() {
    local deadline=$((SECONDS + $1))
    shift
    until "$@"; do
        [ $SECONDS -ge $deadline ] && return 1
        sleep 0.2
    done
}
running() { kill -0 "$1" 2>/dev/null && echo running || echo "not running"; }
# What the test saw, printed when it fails.
seen() {
    echo "--- seen: openbox $(running "${wm:-0}"), the program $(running "${program:-0}")"
    if [ -n "${DISPLAY:-}" ]; then
        echo "active window: $(x xdotool getactivewindow 2>&1)"
        for window in $(x xdotool search --name '^Quibbly$' 2>/dev/null); do
            echo "window $window: $(x xprop -id "$window" WM_STATE _NET_WM_WINDOW_TYPE _NET_WM_STATE 2>&1 |
                                    tr '\n' ' ')"
        done
    fi
    for log in xvfb openbox program; do
        [ -s "$work/$log.log" ] && { echo "--- $log.log"; tail -n 20 "$work/$log.log"; }
    done
}

# -noreset: the server does not start afresh whenever its last client leaves, as the short-lived xprop and
# xdotool clients do. A server that dies at start, racing another for its display, is started again.
for attempt in 1 2 3; do
    exec 5>"$work/display"
    Xvfb -displayfd 5 -noreset -screen 0 1280x1024x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
    xvfb=$!
    pids+=($xvfb)
    exec 5>&-
    within 30 sh -c 'test -s "$0" || ! kill -0 "$1" 2>/dev/null' "$work/display" "$xvfb"
    test -s "$work/display" && break
done
test -s "$work/display" || fail "Xvfb did not start"
export DISPLAY=:$(head -n 1 "$work/display")
openbox --sm-disable >"$work/openbox.log" 2>&1 &
wm=$!
pids+=($wm)
within 30 sh -c 'timeout 10 xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id"' || fail "openbox did not start"

# The program folder is the executable's: a copy keeps what it writes out of the build tree.
cp "$1" "$work/quibbly"
QT_QPA_PLATFORM=xcb "$work/quibbly" >"$work/program.log" 2>&1 &
program=$!
pids+=($program)

# The windows titled Quibbly that the window manager manages, by type: the notice is a dialog, the main window
# a normal window only.
managed() {
    for window in $(x xdotool search --name '^Quibbly$' 2>/dev/null); do
        x xprop -id "$window" WM_STATE | grep -q 'window state' || continue
        type=$(x xprop -id "$window" _NET_WM_WINDOW_TYPE)
        case "$1:$type" in
        dialog:*_DIALOG*) echo "$window" ;;
        main:*_DIALOG*) ;;
        main:*_NORMAL*) echo "$window" ;;
        esac
    done
}
has() { [ -n "$(managed "$1")" ]; }
state() { x xprop -id "$1" WM_STATE | sed -n 's/.*window state: //p'; }
is() { [ "$(state "$1")" = "$2" ]; }
# Return on the notice until it goes: a key sent before the notice has the focus is lost on a slow machine.
answered() {
    local notice
    notice=$(managed dialog | head -n 1)
    [ -z "$notice" ] && return 0
    x xdotool windowactivate --sync "$notice" key Return 2>/dev/null
    within 5 sh -c '! timeout 10 xprop -id "$0" WM_STATE 2>/dev/null | grep -q "window state: Normal"' "$notice"
}

within 60 has dialog || fail "no subnet notice"
within 60 answered || fail "the subnet notice did not close on Return"
within 30 has main || fail "no main window after the notice"
main=$(managed main | head -n 1)
within 30 is "$main" Iconic || fail "the main window is $(state "$main") after the subnet notice, not Iconic"
! x xprop -id "$main" _NET_WM_ALLOWED_ACTIONS | grep -q MAXIMIZE || fail "the main window can be maximised"

"$2" 6666 127.0.0.1 7777 "TIME:PC-02" "REP-USER:PC-02" "PC-02 says hi" || fail "the message could not be sent"
within 30 is "$main" Normal || fail "the main window is $(state "$main") after a message arrived, not Normal"
echo "PASSED: minimised at start, no maximise, restored by a message"
