#!/usr/bin/env bash
# Builds the test guest's root folder, or finds it already built, and prints
# its path. The root lives under CACHE_DIR (outside the work tree) in a
# folder named after a digest of guest-packages.txt, so a second run on the
# same machine reuses it and a changed list builds anew. (The list also
# carries this recipe's version: bump it when the recipe changes.)
#   1. debootstrap (minbase) from the host's Debian mirror;
#   2. in a chroot: the i386 architecture and the packages, no recommends,
#      no documentation, an initramfs that mounts a 9p root;
#   3. one boot of the guest to create the 32-bit Wine prefix (/root/wine32),
#      which takes minutes under emulation and so is done once, here.
# Must run as root (debootstrap, chroot, and a 9p root keeping owners).
#
# Usage: build_guest_root.sh CACHE_DIR   (progress on stderr, path on stdout)
set -Eeuo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
# No silent end: a command that fails under set -e names itself and its line.
trap 'echo "FAIL: guest root: line $LINENO: \"$BASH_COMMAND\" exited $?" >&2' ERR
# shellcheck source=guest_boot.sh
. "$here/guest_boot.sh"
cache="$1"
say() { echo "guest root: $* ($SECONDS s)" >&2; }

key="$(sha256sum <"$here/guest-packages.txt" | cut -c1-16)"
root="$cache/root-$key"
if [ ! -f "$root/.snowvel-ready" ] && [ "$(id -u)" -ne 0 ]; then
  echo "FAIL: building the guest root needs root (debootstrap, chroot)" >&2
  exit 1
fi
mkdir -p "$cache"
# One build at a time: CI starts one early, in the background, and the check
# itself waits here for it to finish.
exec 9>"$cache/.lock"
if ! flock -w 3600 9; then
  echo "FAIL: another build of the guest root held $cache/.lock for an hour" >&2
  exit 1
fi
if [ -f "$root/.snowvel-ready" ]; then
  say "reusing $root"
  echo "$root"
  exit 0
fi
build="$cache/build-$key"
# Everything mounted below a folder, deepest first (none is no failure).
mounts_below() {
  findmnt -rn -o TARGET | { grep -F "$1/" || true; } | sort -r
}
unmount_below() {
  mounts_below "$1" | xargs -r -n1 umount -l 2>/dev/null || true
}
# A build that died may have left /dev and friends mounted inside: those
# come off first, and removing never crosses into another file system.
remove_tree() {
  unmount_below "$1"
  rm -rf --one-file-system "$1"
}
# Whatever ends this script, nothing stays mounted in the build, and a build
# that did not finish is removed: only a root marked ready is ever used.
finished=0
clean_up() {
  unmount_below "$build"
  if [ "$finished" -eq 0 ] && [ -d "$build" ]; then
    echo "guest root: removing the unfinished $build" >&2
    remove_tree "$build"
  fi
}
trap clean_up EXIT
remove_tree "$build"

mirror="${SNOWVEL_VM_MIRROR:-$(grep -rhoE '^(URIs:|deb) +https?://[^ ]*/debian/?( |$)' /etc/apt/sources.list /etc/apt/sources.list.d/ 2>/dev/null |
  grep -oE 'https?://[^ ]*' | head -1 || true)}"
mirror="${mirror:-http://deb.debian.org/debian}"
say "debootstrap bookworm from $mirror"
if ! debootstrap --variant=minbase bookworm "$build" "$mirror" >"$cache/debootstrap-$key.log" 2>&1; then
  echo "FAIL: debootstrap; the end of $cache/debootstrap-$key.log:" >&2
  tail -20 "$cache/debootstrap-$key.log" >&2
  exit 1
fi

# No services in the chroot, no documentation, and the 9p modules in every
# initramfs the kernel's install makes (listed first, so it is made once).
printf '#!/bin/sh\nexit 101\n' >"$build/usr/sbin/policy-rc.d"
chmod +x "$build/usr/sbin/policy-rc.d"
cat >"$build/etc/dpkg/dpkg.cfg.d/01-snowvel-lean" <<'CFG'
path-exclude /usr/share/doc/*
path-exclude /usr/share/man/*
path-exclude /usr/share/info/*
path-exclude /usr/share/locale/*
CFG
printf 'APT::Install-Recommends "false";\nAPT::Install-Suggests "false";\n' \
  >"$build/etc/apt/apt.conf.d/01-snowvel-lean"
mkdir -p "$build/etc/initramfs-tools/conf.d"
printf '9p\n9pnet\n9pnet_virtio\nvirtio_pci\n' >>"$build/etc/initramfs-tools/modules"
echo 'MODULES=list' >"$build/etc/initramfs-tools/conf.d/snowvel"
install -m 755 "$here/guest_init.sh" "$build/sbin/snowvel-guest-init"

mount -t proc proc "$build/proc"
mount -t sysfs sys "$build/sys"
mount --bind /dev "$build/dev"
packages="$(grep -Ev '^[[:space:]]*(#|$)' "$here/guest-packages.txt" | tr '\n' ' ')"
say "installing $packages"
if ! chroot "$build" /bin/sh -c "set -e
  export DEBIAN_FRONTEND=noninteractive
  dpkg --add-architecture i386
  apt-get update -q
  apt-get install -y -q $packages
  apt-get clean
  rm -rf /var/lib/apt/lists/*" >"$cache/packages-$key.log" 2>&1; then
  echo "FAIL: installing the guest's packages; the end of $cache/packages-$key.log:" >&2
  tail -30 "$cache/packages-$key.log" >&2
  exit 1
fi
unmount_below "$build"
if [ -n "$(mounts_below "$build")" ]; then
  echo "FAIL: guest root: still mounted under $build:" >&2
  mounts_below "$build" >&2
  exit 1
fi

# The prefix: one boot, wineboot -i under emulation.
say "creating the 32-bit Wine prefix in the guest"
share="$cache/share-$key"
rm -rf "$share"
mkdir -p "$share"
cat >"$share/guest-main" <<'JOB'
#!/bin/sh
export WINEARCH=win32 WINEPREFIX=/root/wine32 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
start=$(cut -d' ' -f1 /proc/uptime)
# wineboot may end (even with 1) before the programs it started: the prefix
# is whole only once the wineserver has gone and written the registry.
wine wineboot -i >/share/wineboot.log 2>&1
echo "guest: wineboot said $?; waiting for the wineserver"
wineserver -w
echo "guest: the prefix took from $start to $(cut -d' ' -f1 /proc/uptime) s of uptime"
test -s /root/wine32/system.reg && test -s /root/wine32/user.reg &&
  test -d /root/wine32/drive_c/windows/system32
JOB
chmod +x "$share/guest-main"
code=0
guest_boot "$build" "$share" 1800 "$cache/wineboot-$key.console" || code=$?
if [ "$code" -ne 0 ]; then
  echo "FAIL: creating the Wine prefix in the guest (code $code)" >&2
  guest_console_tail "$cache/wineboot-$key.console" >&2
  tail -20 "$share/wineboot.log" >&2 2>/dev/null || true
  exit 1
fi
grep -a 'the prefix took' "$cache/wineboot-$key.console" | tr -d '\r' >&2 || true
rm -rf "$share"

touch "$build/.snowvel-ready"
finished=1
# One root is kept: older ones (other package lists) go.
for old in "$cache"/root-*; do
  if [ "$old" != "$root" ] && [ -d "$old" ]; then remove_tree "$old"; fi
done
mv "$build" "$root" || { finished=0; exit 1; }
say "built $root ($(du -sh "$root" | cut -f1))"
echo "$root"
