#!/usr/bin/env bash
# Runs a command as root inside a minimal Debian system: a debootstrap root in ROOT, made on the
# first call and reused after, with /proc, /sys, /dev and /dev/pts mounted while it runs.
# Usage (as root): tools/fresh-debian.sh ROOT COMMAND [ARGS ...]
#   DEBIAN_RELEASE=NAME the release to make ROOT of: bookworm (Debian 12, the default) or
#                       trixie (Debian 13); a ROOT made before must be of the same release
#   KESTREL_REPO=REPO   clone this repository, folder or bundle into /root/kestrel first
#                       (a fresh clone every call)
#   KESTREL_FILES="F…"  copy these files into /root first
#   DEBIAN_MIRROR=URL   the mirror to make ROOT from (default: the one apt uses here)
# The command runs from /root with a clean environment; its exit status is the script's. Remove
# ROOT (once nothing is mounted in it) for a fresh system. One command at a time per ROOT.
set -euo pipefail
[ $# -ge 2 ] || { echo "usage: $0 ROOT COMMAND [ARGS ...]" >&2; exit 2; }
[ "$(id -u)" -eq 0 ] || { echo "$0: debootstrap, mount and chroot need root" >&2; exit 1; }
release=${DEBIAN_RELEASE:-bookworm}
case "$release" in
  bookworm) version=12 ;;
  trixie) version=13 ;;
  *) echo "$0: DEBIAN_RELEASE must be bookworm or trixie, not '$release'" >&2; exit 2 ;;
esac
root=$(realpath -m "$1")
shift

# The release named in an os-release file.
codename() { sed -n 's/^VERSION_CODENAME=//p' "$1" 2>/dev/null | tr -d '"' | head -n 1; }

# The Debian mirror of apt's own sources, in either format: the one that serves the release
# asked for, else the one that serves this machine's own release (a mirror serves them all).
host_mirror() {
  local own
  own=$(codename /etc/os-release)
  { cat /etc/apt/sources.list /etc/apt/sources.list.d/*.sources 2>/dev/null || true; } |
    awk -v want="$release" -v own="${own:-$release}" '
      function suite(s) { return s == want || s == own }
      /^deb / { i = 2
                if ($i ~ /^\[/) while (i < NF && $i !~ /\]$/) ++i  # options: [a=b c=d]
                if ($i ~ /\]$/) ++i
                if (suite($(i + 1))) found[$(i + 1)] = $i }
      /^URIs:/ { uri = $2 }
      /^Suites:/ { for (i = 2; i <= NF; ++i) if (uri && suite($i)) found[$i] = uri }
      END { if (want in found) print found[want]; else if (own in found) print found[own] }'
}

if [ ! -e "$root/.debootstrap-done" ]; then
  command -v debootstrap >/dev/null ||
    { apt-get update -q && apt-get install -y -q debootstrap; } >&2
  mirror=${DEBIAN_MIRROR:-$(host_mirror)}
  rm -rf "$root"
  echo "fresh-debian: making a minimal Debian $version ($release) in $root" \
    "from ${mirror:=http://deb.debian.org/debian}" >&2
  debootstrap --variant=minbase "$release" "$root" "$mirror" >&2
  # Packages installed in the root must not start services.
  printf '#!/bin/sh\nexit 101\n' >"$root/usr/sbin/policy-rc.d"
  chmod 755 "$root/usr/sbin/policy-rc.d"
  cp /etc/resolv.conf "$root/etc/resolv.conf"
  chroot "$root" apt-get update -q >&2  # as an installed system has its package lists
  touch "$root/.debootstrap-done"
fi
made=$(codename "$root/etc/os-release")
[ "$made" = "$release" ] ||
  { echo "fresh-debian: $root is ${made:-an unknown release}, not $release" >&2; exit 1; }
cp /etc/resolv.conf "$root/etc/resolv.conf"

mountpoint -q "$root/proc" && { echo "fresh-debian: $root is in use" >&2; exit 1; }
mounted=()
unmount_all() {
  local i
  for ((i = ${#mounted[@]} - 1; i >= 0; --i)); do
    umount "${mounted[i]}" 2>/dev/null || umount -l "${mounted[i]}"
  done
}
trap unmount_all EXIT
# ROOT itself is no mount point: inside, / is none either, as in a plain chroot or a container.
mount -t proc proc "$root/proc"
mounted+=("$root/proc")
for dir in sys dev dev/pts; do
  mount --bind "/$dir" "$root/$dir"
  mounted+=("$root/$dir")
done

if [ -n "${KESTREL_REPO:-}" ]; then
  rm -rf "$root/root/kestrel"
  git clone -q "$KESTREL_REPO" "$root/root/kestrel"
fi
for file in ${KESTREL_FILES:-}; do cp "$file" "$root/root/"; done

status=0
chroot "$root" /usr/bin/env -i HOME=/root LANG=C.UTF-8 TERM="${TERM:-dumb}" \
  PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
  DEBIAN_FRONTEND=noninteractive \
  /bin/sh -c 'cd /root && exec "$@"' fresh-debian "$@" || status=$?
exit "$status"
