#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Tandrel developers
# SPDX-License-Identifier: MIT

# Builds the Debian package and checks its control fields and contents.
# Usage: check_deb.sh BUILD_DIR OUTPUT_DIR APP_ID
set -euo pipefail
build=$1 out=$2 app=$3

rm -rf "$out"
(cd "$build" && cpack -G DEB -B "$out" >/dev/null)
deb=$(ls "$out"/tandrel_*.deb)
field() { dpkg-deb -f "$deb" "$1"; }
fail() { echo "FAIL: $*" >&2; exit 1; }

[ "$(field Package)" = tandrel ] || fail "package name $(field Package)"
[ "$(field Section)" = games ] || fail "section $(field Section)"
[ -n "$(field Maintainer)" ] || fail "no maintainer"
depends=$(field Depends)
for needed in libqt6widgets6 libqt6gui6 libqt6core6 libstdc++6 libc6 libqt6svg6; do
    [[ $depends == *"$needed"* ]] || fail "Depends lacks $needed: $depends"
done
recommends=$(field Recommends)
[[ $recommends == *qt6-wayland* ]] || fail "Recommends lacks qt6-wayland: $recommends"

contents=$(dpkg-deb -c "$deb" | awk '{print $6}')
for path in ./usr/games/tandrel ./usr/share/applications/$app.desktop \
    ./usr/share/metainfo/$app.metainfo.xml ./usr/share/icons/hicolor/scalable/apps/$app.svg \
    ./usr/share/man/man6/tandrel.6.gz ./usr/share/doc/tandrel/copyright \
    ./usr/share/doc/tandrel/changelog.gz; do
    grep -qxF "$path" <<<"$contents" || fail "missing $path"
done
echo "$(basename "$deb"): Section games, Depends: $depends"
