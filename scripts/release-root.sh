#!/usr/bin/env bash
# Runs a command (by default the README's `make test`) on another Debian release, in a
# root of that release made with debootstrap: `scripts/release-root.sh trixie [COMMAND...]`.
#
# - The tree copied in is the checkout of the current folder (this script's own when the
#   current folder is no checkout): the files git tracks plus the untracked ones it does
#   not ignore, as they are on disk, so uncommitted work is tried too and build folders
#   are not. VELMORA_RELEASE_TREE=head copies the last commit only.
# - The release's root, with the install step's packages already in it, is cached in
#   $VELMORA_RELEASE_CACHE/<release>/base (default: build-release/ of the checkout) and
#   made again when older than a week (or with VELMORA_RELEASE_REFRESH=1). Each run works
#   on a throwaway overlay of it, so runs never share a writable root and the cached one
#   stays as debootstrap and the install step left it; the compiler cache beside it is
#   shared by the runs.
# - Everything is mounted in a mount and PID namespace of its own: whatever way the run
#   ends (a failed test, Ctrl+C, a kill), the kernel takes the mounts and the processes
#   down with it and the host's mount table never sees them.
# - Packages built in the root (build-deb/*.deb) and the last test log are copied to
#   $VELMORA_RELEASE_CACHE/<release>/out/.
set -euo pipefail

say() { echo "release-root: $*" >&2; }
fail() { say "$*"; exit 1; }

if [ "${1:-}" = --in-namespace ]; then
  # Second stage, inside the new namespaces: mount, copy the tree, run, copy results out.
  shift
  base=$1 run=$2 tree=$3 out=$4 ccache=$5 prepare=$6
  shift 6
  root=$run/root
  if [ "$prepare" = 1 ]; then
    mount --bind "$base" "$root"
  else
    mount -t overlay overlay -o "lowerdir=$base,upperdir=$run/upper,workdir=$run/work" "$root"
  fi
  mount -t proc proc "$root/proc"
  mount --bind /sys "$root/sys"
  mount --bind /dev "$root/dev"
  mount --bind /dev/pts "$root/dev/pts"
  mount -t tmpfs tmpfs "$root/dev/shm"
  mkdir -p "$root/var/cache/velmora-ccache"
  mount --bind "$ccache" "$root/var/cache/velmora-ccache"
  cp -L /etc/resolv.conf "$root/etc/resolv.conf"
  mkdir -p "$root/src/velmora"
  if [ "${VELMORA_RELEASE_TREE:-}" = head ]; then
    git -C "$tree" archive HEAD | tar -x -C "$root/src/velmora"
  else
    (cd "$tree" && git ls-files -z -c -o --exclude-standard |
      while IFS= read -r -d '' f; do [ -e "$f" ] || [ -L "$f" ] && printf '%s\0' "$f"; done |
      tar --null -T - -c) | tar -x -C "$root/src/velmora"
  fi
  status=0
  if [ "$prepare" = 1 ]; then
    # Making the cached root: only the install step runs, and the root keeps its result.
    chroot "$root" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root \
      bash -c 'cd /src/velmora && bash scripts/deps.sh && apt-get clean' || status=$?
  else
    # A clean environment, with the locale an installed system has (a root made by
    # debootstrap has only C.UTF-8).
    chroot "$root" env -i PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
      HOME=/root TERM="${TERM:-dumb}" LANG=C.UTF-8 CCACHE_DIR=/var/cache/velmora-ccache ${CI:+CI=$CI} \
      bash -c 'cd /src/velmora && exec "$@"' release-root "$@" || status=$?
    mkdir -p "$out"
    cp -f "$root"/src/velmora/build-deb/*.deb "$out/" 2>/dev/null || true
    cp -f "$root"/src/velmora/build-test/Testing/Temporary/LastTest.log "$out/" 2>/dev/null || true
  fi
  exit $status
fi

release=${1:-}
[ -n "$release" ] || fail "usage: scripts/release-root.sh RELEASE [COMMAND...] (RELEASE: bookworm, trixie, forky, testing, sid)"
shift
[ $# -gt 0 ] || set -- make test
[[ $release =~ ^[a-z][a-z0-9-]*$ ]] || fail "not a release name: $release"
[ "$(id -u)" -eq 0 ] || fail "needs root (debootstrap, mount and chroot): run it with sudo"
command -v debootstrap >/dev/null || fail "needs debootstrap: apt-get install debootstrap"
command -v unshare >/dev/null && command -v flock >/dev/null || fail "needs unshare and flock (util-linux)"
grep -qw overlay /proc/filesystems || modprobe overlay 2>/dev/null || fail "needs the overlay file system"

here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
tree=$(git rev-parse --show-toplevel 2>/dev/null) || tree=$here
[ -f "$tree/scripts/deps.sh" ] || tree=$here
cache=${VELMORA_RELEASE_CACHE:-$tree/build-release}
mirror=${VELMORA_RELEASE_MIRROR:-http://deb.debian.org/debian}
dir=$cache/$release
mkdir -p "$dir/ccache"
dir=$(cd "$dir" && pwd)
base=$dir/base

# Runs hold the lock shared; making the root holds it alone, so a root is never replaced
# under a run, and two checkouts can share one cache.
exec 9>"$dir/lock"

fresh() {
  [ -f "$base/.velmora-root" ] && [ "${VELMORA_RELEASE_REFRESH:-0}" != 1 ] &&
    [ -z "$(find "$base/.velmora-root" -mtime +7)" ]
}

# The stage that follows, in new namespaces. It runs in the background so that a signal
# reaches this shell at once; killing `unshare` kills the namespace's first process, and
# with it every process in the namespace.
child=""
in_namespace() {
  unshare --mount --pid --fork --kill-child=SIGKILL --propagation private -- \
    bash "$here/scripts/release-root.sh" --in-namespace "$@" &
  child=$!
  local status=0
  wait "$child" || status=$?
  child=""
  return $status
}
stop() {
  if [ -n "$child" ]; then
    kill -KILL "$child" 2>/dev/null || true
    wait "$child" 2>/dev/null || true
  fi
  exit "$1"
}

run=""
cleanup() {
  # The namespace is gone once `unshare` has returned, and its mounts with it; the
  # check keeps rm from ever walking into a root that is still mounted.
  if [ -n "$run" ] && [ -d "$run" ]; then
    if findmnt -rn -o TARGET | grep -q "^$run/"; then
      say "still mounted under $run, left in place"
    else
      rm -rf --one-file-system "$run"
    fi
  fi
}
trap cleanup EXIT
trap 'stop 130' INT
trap 'stop 143' TERM
trap 'stop 129' HUP

new_run() {
  run=$(mktemp -d "$dir/run.XXXXXX")
  mkdir -p "$run/upper" "$run/work" "$run/root"
}

flock -s 9
if ! fresh; then
  flock -x 9
  if ! fresh; then
    url=$mirror/dists/$release/Release
    reach=0
    python3 - "$url" <<'EOF' 2>/dev/null || reach=$?
import sys, urllib.error, urllib.request
try:
    urllib.request.urlopen(sys.argv[1], timeout=30).read(1)
except urllib.error.HTTPError as error:
    sys.exit(2 if error.code == 404 else 1)
except Exception:
    sys.exit(1)
EOF
    [ $reach -ne 2 ] || fail "the archive has no release named $release: $url"
    [ $reach -eq 0 ] || fail "archive unreachable: $url"
    say "making a $release root in $base (debootstrap, then the install step)"
    rm -rf --one-file-system "$dir/base.new"
    script=/usr/share/debootstrap/scripts/$release
    [ -e "$script" ] || script=/usr/share/debootstrap/scripts/sid
    debootstrap --variant=minbase --include=git,make,ca-certificates,ccache \
      "$release" "$dir/base.new" "$mirror" "$script" >"$dir/debootstrap.log" 2>&1 ||
      fail "debootstrap $release failed; see $dir/debootstrap.log"
    case "$release" in
      testing|unstable|sid|forky)
        # Testing's Release file is at times served past its Valid-Until.
        echo 'Acquire::Check-Valid-Until "false";' >"$dir/base.new/etc/apt/apt.conf.d/99velmora" ;;
      *)
        # An installed stable release also has its updates and security lines.
        {
          echo "deb $mirror $release main"
          echo "deb $mirror $release-updates main"
          echo "deb ${mirror%/debian}/debian-security $release-security main"
        } >"$dir/base.new/etc/apt/sources.list" ;;
    esac
    new_run
    in_namespace "$dir/base.new" "$run" "$tree" "$dir/out" "$dir/ccache" 1 ||
      fail "the install step failed in the $release root"
    rm -rf "$dir/base.new/src" "$dir/base.new/etc/resolv.conf"
    date -u +%FT%TZ >"$dir/base.new/.velmora-root"
    cleanup; run=""
    rm -rf --one-file-system "$base"
    mv "$dir/base.new" "$base"
  fi
  flock -s 9
fi

new_run
say "running '$*' on $release ($(cat "$base/.velmora-root" 2>/dev/null | cut -c1-10) root) with $tree"
in_namespace "$base" "$run" "$tree" "$dir/out" "$dir/ccache" 0 "$@"
