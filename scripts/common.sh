# Shared by the scripts in this folder: installs what the game needs from Debian and builds it.
# Source it; it does nothing by itself.

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD_DIR=${BUILD_DIR:-$ROOT/build}

# What a fresh Debian 12 machine lacks to build, test and run the game.
BUILD_PACKAGES=(cmake g++ make pkg-config qt6-base-dev libgl-dev libqt6svg6 fonts-dejavu-core clang-tidy
                desktop-file-utils appstream dpkg-dev file)

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

# Configures (once) and builds the game and its tests into $BUILD_DIR; extra CMake options may
# be given as arguments.
build_game()
{
    cmake -S "$ROOT" -B "$BUILD_DIR" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@"
    cmake --build "$BUILD_DIR" --parallel "$(nproc)"
}
