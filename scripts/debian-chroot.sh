# SPDX-FileCopyrightText: 2026 The Tandrel developers
# SPDX-License-Identifier: MIT

# Shared by the scripts that try the game on a fresh Debian system: makes a minimal chroot of a
# Debian release, runs commands in it, and takes it down again. Source it after common.sh; it does
# nothing by itself. Needs root, as debootstrap and chroot do.

CHROOT_DIR=
# Logs of what goes wrong, where git ignores them.
LOG_DIR=$ROOT/build-logs
# What make_chroot mounts, innermost first.
CHROOT_MOUNTS=(dev/shm dev/pts proc)

# The archive this machine's apt installs from, so that the chroot comes from the same place
# (a mirror, a snapshot or a proxy); Debian's own when apt names none.
debian_mirror()
{
    local codename
    codename=$(. /etc/os-release && echo "${VERSION_CODENAME:-}")
    apt-get indextargets --format '$(RELEASE) $(REPO_URI)' 'Created-By: Packages' 2>/dev/null \
        | awk -v release="$codename" '$1 == release { print $2; found = 1; exit }
                                      END { if (!found) print "http://deb.debian.org/debian/" }'
}

# The processes whose root directory is the chroot or inside it.
chroot_processes()
{
    local link root
    for link in /proc/[0-9]*/root; do
        root=$(readlink "$link" 2>/dev/null) || continue
        if [ "$root" = "$CHROOT_DIR" ] || [[ $root == "$CHROOT_DIR"/* ]]; then
            link=${link#/proc/}
            echo "${link%/root}"
        fi
    done
}

# Stops what still runs in the chroot, then unmounts what make_chroot mounted; safe to call twice.
# Fails, and says so, when something stays mounted.
unmount_chroot()
{
    [ -n "$CHROOT_DIR" ] && [ -d "$CHROOT_DIR" ] || return 0
    local pids mount _
    pids=$(chroot_processes)
    if [ -n "$pids" ]; then
        echo "Stopping what still runs in $CHROOT_DIR: $(echo $pids)" >&2
        kill -TERM $pids 2>/dev/null || true
        for _ in $(seq 50); do
            [ -z "$(chroot_processes)" ] && break
            sleep 0.1
        done
        pids=$(chroot_processes)
        [ -z "$pids" ] || kill -KILL $pids 2>/dev/null || true
    fi
    for mount in "${CHROOT_MOUNTS[@]}"; do
        if mountpoint -q "$CHROOT_DIR/$mount"; then
            umount "$CHROOT_DIR/$mount" || true
        fi
        if mountpoint -q "$CHROOT_DIR/$mount"; then
            echo "$CHROOT_DIR/$mount is still mounted" >&2
            return 1
        fi
    done
}

# The EXIT trap of a script that made a chroot: unmounts it, and removes it unless KEEP_CHROOT
# is set.
finish_chroot()
{
    unmount_chroot || return 1
    if [ -n "${KEEP_CHROOT:-}" ]; then
        [ -n "$CHROOT_DIR" ] && echo "Kept the chroot in $CHROOT_DIR"
        return 0
    fi
    [ -n "$CHROOT_DIR" ] && rm -rf --one-file-system "$CHROOT_DIR"
    CHROOT_DIR=
}

# Makes a fresh minimal chroot of RELEASE (a code name such as bookworm or trixie, or a suite such
# as unstable) in DIR, with /proc, /dev/pts and /dev/shm of its own and apt set up as on this
# machine.
make_chroot()
{
    local release=$1 dir=$2 mirror proxy= log
    CHROOT_DIR=$dir
    KEEP_CHROOT= finish_chroot
    CHROOT_DIR=$dir
    mirror=$(debian_mirror)
    eval "$(apt-config shell proxy Acquire::http::Proxy)"
    mkdir -p "$LOG_DIR"
    log=$LOG_DIR/debootstrap-$release.log
    echo "Making a minimal Debian $release in $dir from $mirror"
    http_proxy=${proxy:-${http_proxy:-}} debootstrap --variant=minbase "$release" "$dir" "$mirror" \
        >"$log" 2>&1 || { tail -n 20 "$log" >&2; return 1; }
    # A snapshot of unstable or testing has a Release file past its date, which apt would refuse.
    {
        echo "Acquire::Check-Valid-Until \"false\";"
        [ -n "$proxy" ] && echo "Acquire::http::Proxy \"$proxy\";"
    } >"$dir/etc/apt/apt.conf.d/50tandrel-archive"
    cp /etc/resolv.conf "$dir/etc/resolv.conf" 2>/dev/null || true
    mount -t proc proc "$dir/proc"
    mount -t devpts -o newinstance,ptmxmode=0666 devpts "$dir/dev/pts"
    mount -t tmpfs tmpfs "$dir/dev/shm"
}

# The common opening of the scripts: as root, a fresh chroot of RELEASE in build-NAME-RELEASE/,
# which goes again however the script ends (KEEP_CHROOT=1 keeps it for a look).
start_chroot()
{
    local release=$1 name=$2
    [ "$(id -u)" -eq 0 ] || { echo "$(basename "$0") makes a chroot and needs root" >&2; exit 1; }
    ensure_packages debootstrap git
    trap finish_chroot EXIT
    trap 'exit 130' INT TERM
    make_chroot "$release" "$ROOT/build-$name-$release"
}

# Runs a command line in the chroot as root, in a clean environment.
chroot_run()
{
    chroot "$CHROOT_DIR" /usr/bin/env -i HOME=/root LANG=C.UTF-8 \
        PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin bash -c "$1"
}
