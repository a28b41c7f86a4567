#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Tandrel developers
# SPDX-License-Identifier: MIT

# Run as root inside a fresh Debian system by scripts/install-on-debian: installs the package
# with apt and without Recommends, checks it as a player would find it, runs its autopkgtests,
# and purges it again.
# Usage: check_installed_package.sh PACKAGE.deb SOURCE.dsc
set -euo pipefail
deb=$1 dsc=$2
fail() { echo "FAIL: $*" >&2; exit 1; }
export DEBIAN_FRONTEND=noninteractive
apt-get update -q >/dev/null
apt-get install -y -q --no-install-recommends "$deb" >/tmp/install.log \
    || { cat /tmp/install.log; exit 1; }
installed() { dpkg-query -W -f '${Status}' "$1" 2>/dev/null | grep -q ' installed$'; }
! installed qt6-wayland || fail "Recommends were installed"
dpkg-query -L tandrel | grep -vx '/\.' | sort >/tmp/files

# A player, whose login shell has the PATH, the runtime folder and a UTF-8 locale, as in a desktop
# session, finds the program and the desktop entry's command.
useradd --create-home player
as_player()
{
    runuser -u player -- env -i HOME=/home/player LANG=C.UTF-8 bash -lc "$1"
}
program=$(as_player 'command -v tandrel') || fail "tandrel is not on a player's PATH"
entry=$(sed -n 's/^Exec=//p' /usr/share/applications/org.tandrel.Tandrel.desktop)
[ "$(as_player "command -v $entry")" = "$program" ] || fail "the desktop entry runs $entry"
echo "a player's tandrel: $program; the desktop entry runs $entry"

# The package's own tests, on the installed package.
apt-get install -y -q --no-install-recommends autopkgtest dpkg-dev >/tmp/install.log \
    || { cat /tmp/install.log; exit 1; }
autopkgtest --output-dir /tmp/autopkgtest "$dsc" "$deb" -- null

apt-get remove --purge -y -q tandrel >/dev/null
! installed tandrel || fail "tandrel is still installed after the purge"
left=0
while read -r path; do
    if [ -e "$path" ] && ! dpkg-query -S "$path" >/dev/null 2>&1; then
        echo "left behind: $path" >&2
        left=1
    fi
done </tmp/files
[ $left = 0 ] || fail "files of the package are left after the purge"
echo "purged: none of its $(wc -l </tmp/files) paths left behind"
