#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Tandrel developers
# SPDX-License-Identifier: MIT

# Runs a test program on one of the platforms players use, with a display server of its own that
# is started for it and stopped after it, however the program ends:
#   on_display.sh xcb COMMAND...       on an X server (Xvfb)
#   on_display.sh wayland COMMAND...   on a headless Wayland compositor (weston)
# With --accessibility AT-SPI-BUS-LAUNCHER before the COMMAND, the program also gets a D-Bus
# session and an accessibility bus of its own, as a desktop gives them to screen readers, and Qt
# applications tell them everything from the start.
#
# Everything runs in a process namespace of its own, where the program sees no process of the
# machine's (a player's own screen reader among them) and whatever it leaves behind ends with
# it. Where the machine makes no such namespace, it runs beside the machine's processes, and says
# so; TANDREL_OWN_PROCESSES tells the program which.
set -euo pipefail

if [ "${TANDREL_OWN_PROCESSES:-}" = "" ]; then
    namespace=(unshare --pid --fork --kill-child --mount-proc)
    [ "$(id -u)" -eq 0 ] || namespace=(unshare --user --map-root-user --pid --fork --kill-child
                                       --mount-proc)
    if "${namespace[@]}" true 2>/dev/null; then
        TANDREL_OWN_PROCESSES=1 exec "${namespace[@]}" bash "$0" "$@"
    fi
    echo "on_display.sh: this machine gives the test no process namespace of its own" >&2
    export TANDREL_OWN_PROCESSES=0
fi

platform=$1
shift
launcher=
if [ "${1:-}" = --accessibility ]; then
    launcher=$2
    shift 2
fi

# The servers' sockets and logs go to a private folder, as XDG_RUNTIME_DIR must be.
runtime=$(mktemp -d)
servers=()
stop_servers()
{
    local i
    for ((i = ${#servers[@]} - 1; i >= 0; --i)); do
        kill "${servers[i]}" 2>/dev/null && wait "${servers[i]}" 2>/dev/null
    done
    rm -rf "$runtime"
}
trap stop_servers EXIT

# Waits up to ten seconds for a test on the state of the server started last to come true.
await()
{
    local tries=0 server=${servers[-1]}
    until "$@"; do
        kill -0 "$server" 2>/dev/null || { echo "the server ended early:" >&2; return 1; }
        ((++tries < 100)) || { echo "the server did not come up:" >&2; return 1; }
        sleep 0.1
    done
}

case $platform in
xcb)
    # Xvfb picks a free display number and writes it to the descriptor once it accepts clients.
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$runtime/display" \
        >"$runtime/server.log" 2>&1 &
    servers+=($!)
    await test -s "$runtime/display" || { cat "$runtime/server.log" >&2; exit 1; }
    export DISPLAY=:$(head -n 1 "$runtime/display")
    ;;
wayland)
    export XDG_RUNTIME_DIR=$runtime WAYLAND_DISPLAY=tandrel-test
    weston --backend=headless-backend.so --socket="$WAYLAND_DISPLAY" --idle-time=0 --no-config \
        --width=1280 --height=1024 --log="$runtime/server.log" &
    servers+=($!)
    await test -S "$runtime/$WAYLAND_DISPLAY" || { cat "$runtime/server.log" >&2; exit 1; }
    ;;
*)
    echo "usage: on_display.sh xcb|wayland [--accessibility AT-SPI-BUS-LAUNCHER] COMMAND..." >&2
    exit 2
    ;;
esac

if [ -n "$launcher" ]; then
    dbus-daemon --session --nofork --nopidfile --print-address=3 3>"$runtime/bus" \
        >>"$runtime/server.log" 2>&1 &
    servers+=($!)
    await test -s "$runtime/bus" || { cat "$runtime/server.log" >&2; exit 1; }
    export DBUS_SESSION_BUS_ADDRESS=$(head -n 1 "$runtime/bus")
    "$launcher" --launch-immediately >>"$runtime/server.log" 2>&1 &
    servers+=($!)
    # Whoever asks for the accessibility bus before the launcher has taken its name would have
    # D-Bus start another.
    await eval 'dbus-send --session --print-reply --dest=org.freedesktop.DBus / \
        org.freedesktop.DBus.NameHasOwner string:org.a11y.Bus 2>/dev/null | grep -q true' \
        || { cat "$runtime/server.log" >&2; exit 1; }
    export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
fi

QT_QPA_PLATFORM=$platform "$@"
