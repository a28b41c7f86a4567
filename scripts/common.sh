# SPDX-FileCopyrightText: 2026 The Tandrel developers
# SPDX-License-Identifier: MIT

# Shared by the scripts in this folder: installs what the game needs from Debian and builds it.
# Source it; it does nothing by itself.

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

# What the build needs is debian/control's Build-Depends (a tree without debian/, such as the
# upstream tarball, can name another packaging folder in TANDREL_PACKAGING); the scripts add the
# compiler and the package of the SVG icon plugin, for the window's icon. What the whole test suite
# needs beyond that: the linter and the formatter, the checks of the desktop files, the manual page
# and the licences, an X server and a Wayland compositor for the window tests on the real
# platforms, and the Orca screen reader with what it runs in.
PACKAGING=${TANDREL_PACKAGING:-$ROOT}
TEST_PACKAGES=(clang-tidy clang-format desktop-file-utils appstream man-db reuse git xvfb xauth
               weston qt6-wayland orca openbox xdotool dbus at-spi2-core python3)

# The Qt styles that desktops impose, for the test of the card faces, each with the name Qt knows
# it by: each only where the release builds it for Qt 6 (adwaita-qt6 on Debian 12 and 13; Breeze
# and Kvantum from Debian 13 on).
declare -A STYLE_PACKAGES=([adwaita-qt6]=Adwaita [kde-style-breeze]=Breeze [qt-style-kvantum]=kvantum)

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

# Prints those of the named packages that the archive builds against Qt 6. The whole list of
# dependencies is read before it is searched, so the answer never depends on timing.
qt6_packages()
{
    local package depends
    refresh_package_lists >&2
    for package in "$@"; do
        depends=$(apt-cache depends "$package" 2>/dev/null) || continue
        [[ $depends == *' libqt6'* ]] && echo "$package"
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
    apt_get install -y --no-install-recommends "${missing[@]}"
}

# Installs what the game needs to build and run, and the named packages.
ensure_build_packages()
{
    ensure_packages build-essential dpkg-dev "$(svg_plugin_package)" "$@"
    (cd "$PACKAGING" && dpkg-checkbuilddeps 2>/dev/null) \
        || { apt_get update && apt_get build-dep -y --no-install-recommends "$PACKAGING"; }
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
