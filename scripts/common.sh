# SPDX-FileCopyrightText: 2026 The Tandrel developers
# SPDX-License-Identifier: MIT

# Shared by the scripts in this folder: installs what the game needs from Debian and builds it.
# Source it; it does nothing by itself.

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

# What a fresh Debian 12 or 13 machine lacks to build and run the game (ensure_build_packages adds
# the package of the SVG icon plugin, for the window's icon),
BUILD_PACKAGES=(cmake g++ make pkg-config qt6-base-dev libgl-dev fonts-dejavu-core)
# and to run the whole test suite: the linter, the checks of the desktop files, the manual page and
# the licences, and an X server and a Wayland compositor for the window tests on the real
# platforms.
TEST_PACKAGES=(clang-tidy desktop-file-utils appstream man-db reuse git xvfb xauth weston
               qt6-wayland)

# The Qt styles that desktops impose, for the test of the card faces: each only where the release
# builds it for Qt 6 (adwaita-qt6 on Debian 12 and 13; Breeze and Kvantum from Debian 13 on).
STYLE_PACKAGES=(adwaita-qt6 kde-style-breeze qt-style-kvantum)

# Runs a command as root: directly, or through sudo.
as_root()
{
    if [ "$(id -u)" -eq 0 ]; then
        "$@"
    elif command -v sudo >/dev/null; then
        sudo "$@"
    else
        echo "Needs root, and there is no sudo here: $*" >&2
        return 1
    fi
}

# apt-get as root, one at a time: CI runs scripts side by side, and apt allows one run at once.
apt_get()
{
    as_root env DEBIAN_FRONTEND=noninteractive flock /var/lock/tandrel-apt apt-get -q "$@"
}

# Reads the archive's package lists anew unless apt did so within the last day, so that packages
# are looked up in lists that are there and current.
refresh_package_lists()
{
    [ -n "$(find /var/lib/apt/lists -maxdepth 1 -name '*_Packages*' -mtime -1 2>/dev/null)" ] \
        || apt_get update
}

# Prints those of the named packages that the archive builds against Qt 6.
qt6_packages()
{
    local package
    refresh_package_lists >&2
    for package in "$@"; do
        apt-cache depends "$package" 2>/dev/null | grep -q ' libqt6' && echo "$package"
    done
    return 0
}

# The package that holds Qt 6's SVG icon plugin: qt6-svg-plugins from Debian 13 on, libqt6svg6
# before.
svg_plugin_package()
{
    refresh_package_lists >&2
    if apt-cache show qt6-svg-plugins >/dev/null 2>&1; then
        echo qt6-svg-plugins
    else
        echo libqt6svg6
    fi
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
    echo "Installing missing packages: ${missing[*]}"
    apt_get update
    apt_get install -y "${missing[@]}"
}

# Installs what the game needs to build and run, and the named packages.
ensure_build_packages()
{
    ensure_packages "${BUILD_PACKAGES[@]}" "$(svg_plugin_package)" "$@"
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

# Runs the tests of a preset, as many side by side as there are processors; extra arguments go to
# ctest.
test_preset()
{
    (cd "$ROOT" && ctest --preset "$1" --parallel "$(nproc)" "${@:2}")
}
