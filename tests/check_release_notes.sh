#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Tandrel developers
# SPDX-License-Identifier: MIT

# The AppStream releases that CMake reads out of the release notes match what Debian's own
# changelog parser reads there: the same versions and dates, newest first, each with its notes.
# Usage: check_release_notes.sh CHANGELOG METAINFO
set -euo pipefail
changelog=$1 metainfo=$2

expected=$(dpkg-parsechangelog -l "$changelog" --all --format rfc822 \
    | while IFS=': ' read -r field value; do
        case $field in
        Version) version=$value ;;
        Date) echo "$version $(date -u -d "$value" +%F)" ;;
        esac
    done)
found=$(sed -n 's/.*<release version="\([^"]*\)" date="\([^"]*\)">.*/\1 \2/p' "$metainfo")
if [ "$found" != "$expected" ]; then
    printf 'FAIL: releases in %s:\n%s\nexpected:\n%s\n' "$metainfo" "$found" "$expected" >&2
    exit 1
fi
# Every release says what it brought.
items=$(grep -c '<li>[^<]' "$metainfo")
[ "$items" -ge "$(wc -l <<<"$expected")" ] || { echo "FAIL: releases without notes" >&2; exit 1; }
echo "releases as in $changelog:" $expected
