#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Tandrel developers
# SPDX-License-Identifier: MIT

# One version for the game: the project's version and release date, the newest release in the
# AppStream data, and the upstream part of the Debian package's newest version all agree.
# Usage: check_version.sh VERSION DATE METAINFO [DEBIAN_CHANGELOG]
set -euo pipefail
version=$1 date=$2 metainfo=$3 changelog=${4:-}
fail() { echo "FAIL: $*" >&2; exit 1; }

# The first <release> is the newest; AppStream lists them newest first.
newest=$(grep -o -m1 '<release version="[^"]*" date="[^"]*"' "$metainfo") \
    || fail "no release in $metainfo"
[ "$newest" = "<release version=\"$version\" date=\"$date\"" ] \
    || fail "newest release in the AppStream data: $newest; the project: $version of $date"

if [ -z "$changelog" ]; then
    echo "version $version of $date"
    exit 0
fi

# The first line of a Debian changelog: "tandrel (EPOCH:UPSTREAM-REVISION) DISTRIBUTION; ...".
read -r package debian_version _ <"$changelog"
[ "$package" = tandrel ] || fail "the Debian changelog is for $package"
debian_version=${debian_version#(}
debian_version=${debian_version%)}
upstream=${debian_version#*:}
upstream=${upstream%-*}
[ "$upstream" = "$version" ] \
    || fail "the Debian package is of upstream version $upstream ($debian_version); the project: $version"
echo "version $version of $date, Debian package $debian_version"
