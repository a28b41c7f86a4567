# SPDX-FileCopyrightText: 2026 The Tandrel developers
# SPDX-License-Identifier: MIT

# Shared by the scripts that try the game on a fresh Debian system: makes a minimal chroot of a
# Debian release, runs commands in it, and takes it down again. Source it after common.sh; it does
# nothing by itself. Needs root, as debootstrap and chroot do.

CHROOT_DIR=

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

# Unmounts what make_chroot mounted; safe to call twice, and from a trap.
unmount_chroot()
{
    [ -n "$CHROOT_DIR" ] && [ -d "$CHROOT_DIR" ] || return 0
    local mount
    # Innermost first; lazily, so that a process still holding a mount cannot keep it.
    findmnt -rno TARGET | grep -F "$CHROOT_DIR/" | sort -r | while read -r mount; do
        umount -l "$mount"
    done
    if findmnt -rno TARGET | grep -qF "$CHROOT_DIR/"; then
        echo "$CHROOT_DIR: something is still mounted in it" >&2
        return 1
    fi
}

# Unmounts and removes the chroot; safe to call twice, and from a trap.
remove_chroot()
{
    unmount_chroot || return 1
    [ -n "$CHROOT_DIR" ] && rm -rf --one-file-system "$CHROOT_DIR"
    CHROOT_DIR=
}

# Makes a fresh minimal chroot of RELEASE (a code name such as bookworm or trixie, or a suite such
# as unstable) in DIR, with /proc, /dev/pts and /dev/shm of its own and apt set up as on this
# machine. Call remove_chroot when done; the caller's trap should call it too.
make_chroot()
{
    local release=$1 dir=$2 mirror proxy=
    ensure_packages debootstrap
    CHROOT_DIR=$dir
    remove_chroot
    CHROOT_DIR=$dir
    mirror=$(debian_mirror)
    eval "$(apt-config shell proxy Acquire::http::Proxy)"
    echo "Making a minimal Debian $release in $dir from $mirror"
    http_proxy=${proxy:-${http_proxy:-}} debootstrap --variant=minbase "$release" "$dir" "$mirror" \
        >"$dir.log" 2>&1 || { tail -n 20 "$dir.log" >&2; return 1; }
    rm -f "$dir.log"
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

# Runs a command line in the chroot as root, in a clean environment.
chroot_run()
{
    chroot "$CHROOT_DIR" /usr/bin/env -i HOME=/root LANG=C.UTF-8 \
        PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin bash -c "$1"
}
