#!/bin/sh
# Makes the emulated PC that runs Wine's 32-bit side on a machine whose Linux
# runs no i386 programs (a kernel with IA-32 emulation off): qemu's PC,
# Debian's own kernel, and a small initramfs whose init mounts this
# machine's root over 9p and runs one command there. Everything lands in
# $NOTIFY_PC_DIR (default /var/cache/notify-pc), made once and kept.
# Idempotent: quiet when everything is present. Run as root.
set -e
here=$(cd "$(dirname "$0")" && pwd)
dir=${NOTIFY_PC_DIR:-/var/cache/notify-pc}
. "$here/../apt.sh"
missing=""
for p in qemu-system-x86 busybox-static; do
  dpkg -s "$p" >/dev/null 2>&1 || missing="$missing $p"
done
if [ -n "$missing" ]; then
  echo "pc: installing$missing"
  export DEBIAN_FRONTEND=noninteractive
  apt_update
  apt_install $missing
fi
. "$here/../i386.sh"
# Whether the PC boots on KVM, tried once with a PC just made: a stock
# kernel on a host whose /dev/kvm runs only kernels made for it hangs, and
# is stopped after a minute. The answer is kept in $dir/accel.
try_kvm() {
  [ ! -f "$dir/accel" ] || return 0
  echo tcg > "$dir/accel"
  pc_kvm || return 0
  if NOTIFY_PC=1 NOTIFY_PC_ACCEL=kvm NOTIFY_PC_SECONDS=60 sh "$here/../run-i386.sh" true 2>/dev/null; then
    echo kvm > "$dir/accel"
    echo "pc: the emulated PC runs on KVM"
  else
    echo "pc: the emulated PC does not boot on this machine's KVM; qemu emulates its processor"
  fi
}
# The initramfs is made again when its init or the busybox changed.
stamp=$(cat "$here/init" /bin/busybox | md5sum | cut -d' ' -f1)
if [ -f "$dir/vmlinuz" ] && [ -f "$dir/initrd.gz" ] && [ "$(cat "$dir/stamp" 2>/dev/null)" = "$stamp" ]; then
  try_kvm
  exit 0
fi
echo "pc: making the emulated PC in $dir"
mkdir -p "$dir"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# Debian's kernel package for this release, unpacked, never installed: this
# machine's own boot is not touched.
cd "$work"
apt_update
kernel=$(apt-cache depends linux-image-amd64 | sed -n 's/^ *Depends: \(linux-image-[0-9].*\)$/\1/p' | head -n 1)
[ -n "$kernel" ] || { echo "pc: no kernel package found behind linux-image-amd64" >&2; exit 1; }
apt-get download "$kernel" >/dev/null 2>&1 || { echo "pc: cannot download $kernel from Debian" >&2; exit 1; }
dpkg-deb -x ./"$kernel"_*.deb kernel
cp kernel/boot/vmlinuz-* "$dir/vmlinuz"
modules=$(echo kernel/lib/modules/*/kernel)
mkdir -p initrd/bin initrd/mod initrd/dev initrd/proc initrd/sys initrd/newroot
cp /bin/busybox initrd/bin/
# In the order they need each other: virtio's PCI transport, then 9p on it.
for m in drivers/virtio/virtio_ring drivers/virtio/virtio drivers/virtio/virtio_pci_legacy_dev \
         drivers/virtio/virtio_pci_modern_dev drivers/virtio/virtio_pci fs/netfs/netfs \
         fs/fscache/fscache net/9p/9pnet net/9p/9pnet_virtio fs/9p/9p; do
  if [ -f "$modules/$m.ko" ]; then
    cp "$modules/$m.ko" initrd/mod/
    echo "$(basename "$m")" >> initrd/mod/order
  fi
done
cp "$here/init" initrd/init
chmod +x initrd/init
(cd initrd && find . | busybox cpio -o -H newc 2>/dev/null | gzip -1 > "$dir/initrd.gz")
echo "$stamp" > "$dir/stamp"
rm -f "$dir/accel"
try_kvm
echo "pc: ready ($kernel, $(cat "$dir/accel"))"
