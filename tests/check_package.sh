#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Tandrel developers
# SPDX-License-Identifier: MIT

# Checks the game's Debian package against its build: exactly the files that the install rules put
# below /usr, with what debhelper adds; its fields; and debug symbols that belong to its program.
# Usage: check_package.sh PACKAGE.deb DBGSYM.deb BUILD_DIR
set -euo pipefail
deb=$1 dbgsym=$2 build=$3
fail() { echo "FAIL: $*" >&2; exit 1; }
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT

# What the install rules install, as debhelper leaves it: manual pages compressed, and the
# copyright and the packaging changelog beside it; with AppStream 1.0, lintian's override too.
DESTDIR=$stage/install cmake --install "$build" --prefix /usr >/dev/null
expected=$({
    (cd "$stage/install" && find . ! -type d) | sed -e 's|^\.||' -e 's|^\(/usr/share/man/.*\)$|\1.gz|'
    printf '%s\n' /usr/share/doc/tandrel/copyright /usr/share/doc/tandrel/changelog.Debian.gz
    if dpkg --compare-versions "$(dpkg-query -W -f '${Version}' appstream)" ge 1.0; then
        echo /usr/share/lintian/overrides/tandrel
    fi
} | sort)
files=$(dpkg-deb --fsys-tarfile "$deb" | tar -t | grep -v '/$' | sed 's|^\.||' | sort)
if [ "$files" != "$expected" ]; then
    diff <(echo "$expected") <(echo "$files") >&2 || true
    fail "$deb holds other files than the install rules (< expected, > in the package)"
fi

field() { dpkg-deb -f "$1" "$2"; }
[ "$(field "$deb" Section)" = games ] || fail "section $(field "$deb" Section)"
[[ $(field "$deb" Depends) == *"qt6-svg-plugins | libqt6svg6 (<< 6.5)"* ]] \
    || fail "Depends lacks the SVG icon plugin: $(field "$deb" Depends)"
[[ $(field "$deb" Recommends) == *qt6-wayland* ]] || fail "Recommends: $(field "$deb" Recommends)"

# The debug symbols are those of this very program: the same build id.
dpkg-deb -x "$deb" "$stage/deb"
id=$(readelf -n "$stage/deb/usr/games/tandrel" | sed -n 's/.*Build ID: //p')
[ -n "$id" ] || fail "the program has no build id"
[ "$(field "$dbgsym" Build-Ids)" = "$id" ] || fail "dbgsym is for $(field "$dbgsym" Build-Ids), not $id"
grep -q "/usr/lib/debug/.build-id/${id:0:2}/${id:2}.debug$" <<<"$(dpkg-deb -c "$dbgsym")" \
    || fail "dbgsym lacks the symbols of build id $id"
echo "$(basename "$deb"): $(wc -l <<<"$files") files as installed, debug symbols of build id $id"
