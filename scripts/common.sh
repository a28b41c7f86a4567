# SPDX-FileCopyrightText: 2026 The Tandrel developers
# SPDX-License-Identifier: MIT

# Shared by the scripts in this folder: installs what the game needs from Debian and builds it.
# Source it; it does nothing by itself.

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

# What a fresh Debian 12 or 13 machine lacks to build and run the game,
BUILD_PACKAGES=(cmake g++ make pkg-config qt6-base-dev libgl-dev libqt6svg6 fonts-dejavu-core)
# and to run the whole test suite: the linter, the checks of the desktop files, the manual page and
# the licences, and an X server and a Wayland compositor for the window tests on the real
# platforms.
TEST_PACKAGES=(clang-tidy desktop-file-utils appstream man-db reuse git xvfb xauth weston
               qt6-wayland)

# The Qt styles that desktops impose, for the test of the card faces: each only where the release
# builds it for Qt 6 (adwaita-qt6 on Debian 12 and 13; Breeze and Kvantum from Debian 13 on).
STYLE_PACKAGES=(adwaita-qt6 kde-style-breeze qt-style-kvantum)

# Prints those of the named packages that the archive builds against Qt 6.
qt6_packages()
{
    local package
    for package in "$@"; do
        apt-cache depends "$package" 2>/dev/null | grep -q ' libqt6' && echo "$package"
    done
    return 0
}

# Installs the named Debian packages that are not installed yet; nothing when all are there.
ensure_packages()
{
    local missing=() package
    for package in "$@"; do
        dpkg-query -W -f='${Status}\n' "$package" 2>/dev/null | grep -q ' installed$' \
            || missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && return 0

    local sudo=()
    if [ "$(id -u)" -ne 0 ]; then
        command -v sudo >/dev/null || {
            echo "Missing packages: ${missing[*]}; install them as root (no sudo here)." >&2
            return 1
        }
        sudo=(sudo)
    fi
    echo "Installing missing packages: ${missing[*]}"
    "${sudo[@]}" apt-get update -q
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q "${missing[@]}"
}

# Installs what the Debian source package in DIR names in Build-Depends.
install_build_depends()
{
    local sudo=()
    [ "$(id -u)" -eq 0 ] || sudo=(sudo)
    (cd "$1" && "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get build-dep -y -q ./) \
        >/dev/null
}

# Configures the build folder of a preset from CMakePresets.json and builds it, or only the
# targets named after the preset.
build_preset()
{
    local preset=$1
    shift
    local targets=()
    [ $# -gt 0 ] && targets=(--target "$@")
    (cd "$ROOT" && cmake --preset "$preset" >/dev/null \
        && cmake --build --preset "$preset" --parallel "$(nproc)" "${targets[@]}")
}

# Runs the tests of a preset; extra arguments go to ctest.
test_preset()
{
    (cd "$ROOT" && ctest --preset "$1" "${@:2}")
}
