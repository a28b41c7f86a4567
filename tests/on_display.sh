#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Tandrel developers
# SPDX-License-Identifier: MIT

# Runs a test program on one of the platforms players use, with a display server of its own that
# is started for it and stopped after it, however the program ends:
#   on_display.sh xcb COMMAND...       on an X server (Xvfb)
#   on_display.sh wayland COMMAND...   on a headless Wayland compositor (weston)
set -euo pipefail
platform=$1
shift

# The servers' sockets and logs go to a private folder, as XDG_RUNTIME_DIR must be.
runtime=$(mktemp -d)
server=
stop_server()
{
    [ -n "$server" ] && kill "$server" 2>/dev/null && wait "$server" 2>/dev/null
    rm -rf "$runtime"
}
trap stop_server EXIT

# Waits up to ten seconds for a test on the server's state to come true.
await()
{
    local tries=0
    until "$@"; do
        kill -0 "$server" 2>/dev/null || { echo "the display server ended early:" >&2; return 1; }
        ((++tries < 100)) || { echo "the display server did not come up:" >&2; return 1; }
        sleep 0.1
    done
}

case $platform in
xcb)
    # Xvfb picks a free display number and writes it to the descriptor once it accepts clients.
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$runtime/display" \
        >"$runtime/server.log" 2>&1 &
    server=$!
    await test -s "$runtime/display" || { cat "$runtime/server.log" >&2; exit 1; }
    export DISPLAY=:$(head -n 1 "$runtime/display")
    ;;
wayland)
    export XDG_RUNTIME_DIR=$runtime WAYLAND_DISPLAY=tandrel-test
    weston --backend=headless-backend.so --socket="$WAYLAND_DISPLAY" --idle-time=0 --no-config \
        --width=1280 --height=1024 --log="$runtime/server.log" &
    server=$!
    await test -S "$runtime/$WAYLAND_DISPLAY" || { cat "$runtime/server.log" >&2; exit 1; }
    ;;
*)
    echo "usage: on_display.sh xcb|wayland COMMAND..." >&2
    exit 2
    ;;
esac

QT_QPA_PLATFORM=$platform "$@"
