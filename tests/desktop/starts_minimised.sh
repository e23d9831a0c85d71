#!/bin/bash
# The main window under a real X server and window manager, which the offscreen platform of the other tests
# cannot show: it starts minimised (X WM_STATE Iconic) after the subnet notice, offers no maximise, and an
# arriving message restores it. Runs in a private network namespace of its own. Exits 77, with the reason,
# when Xvfb, openbox, xdotool, xprop or network namespaces are missing here.
# Usage: starts_minimised.sh <program> <net_send tool>
set -u
skip() { echo "SKIPPED: $*"; exit 77; }
fail() { echo "FAILED: $*"; exit 1; }
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
# Polls a condition for up to $1 seconds.
within() {
    local deadline=$((SECONDS + $1))
    shift
    until "$@"; do
        [ $SECONDS -ge $deadline ] && return 1
        sleep 0.1
    done
}

exec 5>"$work/display"
Xvfb -displayfd 5 -screen 0 1280x1024x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
pids+=($!)
exec 5>&-
within 10 test -s "$work/display" || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
export DISPLAY=:$(head -n 1 "$work/display")
openbox --sm-disable >/dev/null 2>&1 &
pids+=($!)
within 10 sh -c 'xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id"' || fail "openbox did not start"

# The program folder is the executable's: a copy keeps what it writes out of the build tree.
cp "$1" "$work/quibbly"
QT_QPA_PLATFORM=xcb "$work/quibbly" >"$work/program.log" 2>&1 &
pids+=($!)

# The windows titled Quibbly that the window manager manages, by type: the notice is a dialog, the main window
# a normal window only.
managed() {
    for window in $(xdotool search --name '^Quibbly$' 2>/dev/null); do
        xprop -id "$window" WM_STATE | grep -q 'window state' || continue
        type=$(xprop -id "$window" _NET_WM_WINDOW_TYPE)
        case "$1:$type" in
        dialog:*_DIALOG*) echo "$window" ;;
        main:*_DIALOG*) ;;
        main:*_NORMAL*) echo "$window" ;;
        esac
    done
}
has() { [ -n "$(managed "$1")" ]; }
state() { xprop -id "$1" WM_STATE | sed -n 's/.*window state: //p'; }
is() { [ "$(state "$1")" = "$2" ]; }

within 20 has dialog || fail "no subnet notice: $(cat "$work/program.log")"
notice=$(managed dialog | head -n 1)
xdotool windowactivate --sync "$notice" key Return
within 20 has main || fail "no main window after the notice: $(cat "$work/program.log")"
main=$(managed main | head -n 1)
within 10 is "$main" Iconic || fail "the main window is $(state "$main") after the subnet notice, not Iconic"
! xprop -id "$main" _NET_WM_ALLOWED_ACTIONS | grep -q MAXIMIZE || fail "the main window can be maximised"

"$2" 6666 127.0.0.1 7777 "TIME:PC-02" "REP-USER:PC-02" "PC-02 says hi" || fail "the message could not be sent"
within 10 is "$main" Normal || fail "the main window is $(state "$main") after a message arrived, not Normal"
echo "PASSED: minimised at start, no maximise, restored by a message"
