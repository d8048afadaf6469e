# Sourced by the emulated-PC scripts: boots the test guest under QEMU.
#   guest_boot ROOT SHARE SECONDS CONSOLE_LOG [SOURCE]
# The guest's root is the host folder ROOT (over 9p), SHARE is mounted on
# /share in the guest and SHARE/guest-main runs there as the guest's job.
# SOURCE, if given, is offered read-only with the tag "src" for the job to mount.
# Software emulation (no KVM here): -cpu max without SMAP, since with SMAP
# the guest kernel faults in 32-bit user code. The console is the guest's
# stdout; it goes to CONSOLE_LOG. Returns the job's exit code, or 124 when
# the guest is still running after SECONDS, or 125 when it ended without
# reporting one.

guest_console_tail() {
  echo "--- last lines of the guest console ($1) ---"
  tail -n "${2:-40}" "$1" | tr -d '\r'
  echo "---"
}

guest_boot() {
  local root="$1" share="$2" seconds="$3" log="$4" source="${5:-}"
  local kernel initrd extra=()
  if [ -n "$source" ]; then
    extra=(-virtfs "local,path=$source,mount_tag=src,security_model=none,readonly=on,id=src")
  fi
  kernel="$(ls "$root"/boot/vmlinuz-* 2>/dev/null | sort -V | tail -1)"
  initrd="$(ls "$root"/boot/initrd.img-* 2>/dev/null | sort -V | tail -1)"
  if [ -z "$kernel" ] || [ -z "$initrd" ]; then
    echo "FAIL: no kernel or initramfs in $root/boot" | tee "$log"
    return 125
  fi
  rm -f "$share/guest-exit-code"
  timeout --kill-after=10 "$seconds" qemu-system-x86_64 \
    -machine q35 -accel tcg,thread=multi -cpu max,-smap -smp 2 -m 2048 \
    -nographic -no-reboot -nic none \
    -kernel "$kernel" -initrd "$initrd" \
    -append "root=rootfs rootfstype=9p rootflags=trans=virtio,version=9p2000.L,msize=262144,cache=loose rw console=ttyS0 quiet init=/sbin/snowvel-guest-init" \
    -virtfs "local,path=$root,mount_tag=rootfs,security_model=passthrough,id=rootfs" \
    -virtfs "local,path=$share,mount_tag=share,security_model=passthrough,id=share" "${extra[@]}" \
    </dev/null >"$log" 2>&1
  local code=$?
  if [ "$code" -eq 124 ] || [ "$code" -eq 137 ]; then return 124; fi
  if [ ! -f "$share/guest-exit-code" ]; then return 125; fi
  return "$(cat "$share/guest-exit-code")"
}
