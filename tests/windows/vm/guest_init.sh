#!/bin/sh
# PID 1 of the test guest. Mounts what programs expect, then the host's
# shared folder on /share, runs /share/guest-main if there is one, and
# powers off. The exit code goes to /share/guest-exit-code.
export PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root LANG=C.UTF-8
mountpoint -q /proc || mount -t proc proc /proc
mountpoint -q /sys || mount -t sysfs sys /sys
mount -t devtmpfs dev /dev 2>/dev/null
mkdir -p /dev/pts /dev/shm
mount -t devpts devpts /dev/pts
mount -t tmpfs tmpfs /dev/shm
mount -t tmpfs tmpfs /tmp
mount -t tmpfs tmpfs /run
mkdir -p /share
if mount -t 9p -o trans=virtio,version=9p2000.L,msize=262144,cache=loose share /share; then
  echo "guest: up after $(cut -d' ' -f1 /proc/uptime) s"
  if [ -x /share/guest-main ]; then
    /share/guest-main
    echo "$?" >/share/guest-exit-code
  fi
else
  echo "guest: the shared folder did not mount"
fi
# With cache=loose the host sees the last writes only after a sync.
sync
echo o >/proc/sysrq-trigger
sleep 60
