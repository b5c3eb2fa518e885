#!/bin/sh
# Runs a test program under a window manager on the X server that xvfb-run started, so that
# windows get a real frame. Exits 77 (skipped) where no window manager is installed.
if ! command -v openbox >/dev/null 2>&1 || ! command -v xprop >/dev/null 2>&1; then
    echo "Skipped: openbox or xprop is not installed (scripts/setup installs it)."
    exit 77
fi
openbox --sm-disable >/dev/null 2>&1 &
manager=$!
# A window mapped while the manager starts up may never be framed: wait until it runs.
tries=0
until xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"; do
    tries=$((tries + 1))
    if [ "$tries" -gt 6000 ]; then
        # The X server or the machine is not fit for it: an environment fault, not ours.
        echo "Skipped: openbox did not start"
        kill "$manager" 2>/dev/null
        exit 77
    fi
    sleep 0.1
done
GALAVITE_WINDOW_MANAGER=openbox QT_QPA_PLATFORM=xcb "$@"
status=$?
kill "$manager" 2>/dev/null
exit "$status"
