# SPDX-FileCopyrightText: 2026 The Tandrel developers
# SPDX-License-Identifier: MIT

# Shared by the scripts that build and test the Debian package with Debian's own tools. Source it
# after common.sh; it does nothing by itself.

# Debian's archive as this machine's apt reaches it, from apt's own configuration.
debian_mirror()
{
    local uris
    uris=$(apt-get indextargets --format '$(REPO_URI)' 'Created-By: Packages' 2>/dev/null) || true
    grep -m1 '/debian/$' <<<"$uris" && return
    echo "apt reaches no Debian archive here (see /etc/apt/sources.list*); run apt-get update" >&2
    return 1
}

# sbuild, mmdebstrap and autopkgtest make their fresh systems in user namespaces, as a normal user
# with subordinate ids (/etc/subuid, /etc/subgid). Root hands that work to this user, whom useradd
# gives such ids.
BUILDER=tandrel-build

# Runs a command as that normal user: the caller itself, or for root the user above.
as_builder()
{
    if [ "$(id -u)" -ne 0 ]; then
        "$@"
        return
    fi
    id -u $BUILDER >/dev/null 2>&1 \
        || useradd --create-home --home-dir /var/lib/$BUILDER --shell /bin/bash $BUILDER
    runuser -u $BUILDER -- env HOME=/var/lib/$BUILDER "$@"
}

# Makes a minimal Debian system with mmdebstrap, as the building user: debian_system RELEASE
# VARIANT TARGET [OPTION...], TARGET a tarball, or /dev/null when hooks are all that is wanted.
debian_system()
{
    local release=$1 variant=$2 target=$3 options=()
    shift 3
    # A snapshot of unstable or testing has a Release file past its date, which apt refuses
    # unless told otherwise.
    case $release in
    unstable | sid | testing) options=(--aptopt='Acquire::Check-Valid-Until "false"') ;;
    esac
    # From /, since the building user may not read the caller's folder (root's home, say).
    (cd / && as_builder mmdebstrap --quiet --mode=unshare --variant="$variant" \
        --dpkgopt=force-unsafe-io "${options[@]}" "$@" "$release" "$target" "$(debian_mirror)")
}

# A folder of its own for the building user, who must be able to read what is put there; it goes
# again when the script ends.
builder_folder()
{
    umask 022
    BUILDER_FOLDER=$(mktemp -d "${TMPDIR:-/tmp}/tandrel.XXXXXX")
    trap 'rm -rf "$BUILDER_FOLDER"' EXIT
    [ "$(id -u)" -ne 0 ] || { as_builder true && chown $BUILDER "$BUILDER_FOLDER"; }
}

# Writes the upstream tarball, tandrel_VERSION.orig.tar.xz, into FOLDER: the tracked files of the
# repository REPO (this one unless named) as they are in its work tree, without debian/. Sets
# UPSTREAM_VERSION, and SOURCE_TREE to the tree it was made from.
upstream_tarball()
{
    local folder=$1 repo=${2:-$ROOT} index
    UPSTREAM_VERSION=$(dpkg-parsechangelog -l "$repo/debian/changelog" -S Version)
    UPSTREAM_VERSION=${UPSTREAM_VERSION#*:}
    UPSTREAM_VERSION=${UPSTREAM_VERSION%-*}
    # git stash refreshes the index it reads, and fails without a word when another git holds
    # the index's lock, as the scripts that CI runs side by side do. So it reads a copy.
    index=$(mktemp)
    cp "$(git -C "$repo" rev-parse --absolute-git-dir)/index" "$index"
    SOURCE_TREE=$(GIT_INDEX_FILE=$index git -C "$repo" stash create) \
        || { rm -f "$index"; echo "git stash create failed in $repo" >&2; return 1; }
    rm -f "$index"
    SOURCE_TREE=${SOURCE_TREE:-HEAD}
    git -C "$repo" archive --format=tar --prefix="tandrel-$UPSTREAM_VERSION/" "$SOURCE_TREE" -- . \
        ':(exclude)debian' | xz -6 >"$folder/tandrel_$UPSTREAM_VERSION.orig.tar.xz"
}
