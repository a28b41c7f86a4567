#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Tandrel developers
# SPDX-License-Identifier: MIT

# Run as root inside a fresh Debian system by scripts/install-on-debian: installs the package
# with apt, checks it as a player would use it, and purges it again.
# Usage: check_installed_package.sh PACKAGE.deb

set -euo pipefail
fail() { echo "FAIL: $*" >&2; exit 1; }
apt-get update -q >/dev/null
DEBIAN_FRONTEND=noninteractive apt-get install -y -q "$1" >/tmp/install.log \
    || { cat /tmp/install.log; exit 1; }
dpkg-query -L tandrel | sort >/tmp/files

# A player, whose login shell has the PATH, the runtime folder and a UTF-8 locale, as in a desktop
# session.
useradd --create-home player
install -d -m 700 -o player /run/user/player
as_player()
{
    runuser -u player -- env -i HOME=/home/player XDG_RUNTIME_DIR=/run/user/player LANG=C.UTF-8 \
        bash -lc "$1"
}
program=$(as_player 'command -v tandrel') || fail "tandrel is not on a player's PATH"
entry=$(sed -n 's/^Exec=//p' /usr/share/applications/org.tandrel.Tandrel.desktop)
[ "$(as_player "command -v $entry")" = "$program" ] || fail "the desktop entry runs $entry"

# No display here: both runs use the toolkit's offscreen platform.
status=0
warning=$(as_player 'QT_QPA_PLATFORM=offscreen tandrel 5' 2>&1) || status=$?
[ "$status" = 1 ] || fail "tandrel 5 exited with $status"
[ "$warning" = "tandrel: Board size must be even number from 2 to 12" ] \
    || fail "tandrel 5 said: $warning"
echo "tandrel 5: $warning (status $status)"

# Started on a valid size, the game is still up after five seconds; only the timeout ends it.
status=0
as_player 'QT_QPA_PLATFORM=offscreen timeout 5 tandrel 4' >/tmp/run.log 2>&1 || status=$?
[ "$status" = 124 ] || { cat /tmp/run.log; fail "tandrel 4 ended with $status"; }
echo "tandrel 4: still running after 5 s ($program)"

DEBIAN_FRONTEND=noninteractive apt-get remove --purge -y -q tandrel >/dev/null
! dpkg-query -W tandrel >/dev/null 2>&1 || fail "dpkg still knows tandrel after the purge"
left=0
while read -r path; do
    if [ -e "$path" ] && ! dpkg-query -S "$path" >/dev/null 2>&1; then
        echo "left behind: $path" >&2
        left=1
    fi
done </tmp/files
[ $left = 0 ] || fail "files of the package are left after the purge"
echo "purged: none of its $(wc -l </tmp/files) paths left behind"
