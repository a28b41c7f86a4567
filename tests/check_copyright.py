#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 The Tandrel developers
# SPDX-License-Identifier: MIT

"""The Debian copyright file agrees with the REUSE data: every file of the repository comes
under the same licence in both. Usage: check_copyright.py DEBIAN_COPYRIGHT (in the repository,
with reuse on the PATH)."""

import fnmatch
import re
import subprocess
import sys


def debian_licences(path):
    """The Files stanzas of a DEP-5 file as (patterns, licence), in their order."""
    stanzas = []
    for paragraph in re.split(r"\n\s*\n", open(path, encoding="utf-8").read()):
        files = re.search(r"^Files:(.*(?:\n[ \t].*)*)", paragraph, re.M)
        licence = re.search(r"^License:\s*(\S+)", paragraph, re.M)
        if files and licence:
            stanzas.append((files.group(1).split(), licence.group(1)))
    return stanzas


# Where Debian's short names differ from SPDX's, as DEP-5 names them.
SPDX_NAMES = {"Expat": "MIT"}


def debian_licence(stanzas, name):
    # In DEP-5 the last stanza that matches a file is the one that holds.
    found = None
    for patterns, licence in stanzas:
        if any(fnmatch.fnmatchcase(name, pattern) for pattern in patterns):
            found = SPDX_NAMES.get(licence, licence)
    return found


def reuse_licences():
    spdx = subprocess.run(["reuse", "spdx"], check=True, capture_output=True, text=True).stdout
    licences = {}
    name = None
    for line in spdx.splitlines():
        if line.startswith("FileName: "):
            name = line[len("FileName: "):].removeprefix("./")
        elif line.startswith("LicenseInfoInFile: ") and name is not None:
            licences.setdefault(name, set()).add(line[len("LicenseInfoInFile: "):])
    return licences


def main():
    stanzas = debian_licences(sys.argv[1])
    disagreements = []
    licences = reuse_licences()
    for name, found in sorted(licences.items()):
        if name.startswith("LICENSES/"):
            continue
        expected = debian_licence(stanzas, name)
        if found != {expected}:
            disagreements.append(f"{name}: REUSE says {sorted(found)}, Debian says {expected}")
    if disagreements or not licences:
        print("FAIL:", *disagreements or ["reuse listed no file"], sep="\n  ", file=sys.stderr)
        return 1
    print(f"{len(licences)} files under the same licence in REUSE and debian/copyright")
    return 0


if __name__ == "__main__":
    sys.exit(main())
