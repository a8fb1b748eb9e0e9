#!/bin/sh
# Runs a command where i386 (32-bit) programs run: Wine's 32-bit side, and
# with it the plug-in, its tests, the demo and the benchmarks.
#   sh scripts/run-i386.sh COMMAND [ARGS...]
# On a machine that runs them this is the command itself. A machine whose
# Linux runs 64-bit user code only (IA-32 emulation off) runs it in an
# emulated PC instead (scripts/pc/, made by scripts/setup.sh): qemu's PC
# with Debian's kernel, on this machine's root shared over 9p, so the
# command sees the same files, folder and environment, and writes where it
# would have written. Its output comes here and its exit code is returned.
# The PC is several times slower than the machine: NOTIFY_SLOWER (set here
# to the factor) tells the tests to allow for it.
#   sh scripts/run-i386.sh --slower   prints that factor: 1 where i386 runs
set -e
native=no
/usr/lib/wine/wine --version >/dev/null 2>&1 && native=yes
if [ "${1:-}" = --slower ]; then
  if [ $native = yes ]; then echo 1; else echo "${NOTIFY_SLOWER:-6}"; fi
  exit 0
fi
[ $native = no ] || exec "$@"
here=$(cd "$(dirname "$0")" && pwd)
pc=${NOTIFY_PC_DIR:-/var/cache/notify-pc}
if [ ! -f "$pc/vmlinuz" ] || [ ! -f "$pc/initrd.gz" ]; then
  echo "run-i386: this machine runs no i386 programs and the emulated PC is not made: run scripts/setup.sh" >&2
  exit 1
fi
run=$(mktemp -d /var/tmp/notify-pc.XXXXXX)
trap 'rm -rf "$run"' EXIT
cp "$here/pc/inside.sh" "$run/"
pwd > "$run/cwd"
export NOTIFY_SLOWER="${NOTIFY_SLOWER:-6}"
export -p | grep -v -E '^export (PWD|OLDPWD|SHLVL|_)=' > "$run/env"
for arg in "$@"; do
  printf "'%s' " "$(printf '%s' "$arg" | sed "s/'/'\\\\''/g")"
done > "$run/cmd"
# Half the memory, at most 12 GiB; every core.
mem=$(awk '/^MemTotal/ { m = int($2 / 2048); if (m > 12288) m = 12288; print m }' /proc/meminfo)
# qemu 7.2 reads the user stack of a 32-bit iret as the kernel would, which
# SMAP forbids: the PC's processor goes without SMAP.
qemu-system-x86_64 -accel tcg,thread=multi -smp "$(nproc)" -m "$mem" -cpu max,-smap \
  -kernel "$pc/vmlinuz" -initrd "$pc/initrd.gz" \
  -append "console=ttyS0 quiet loglevel=1 panic=-1 notify.run=$run" \
  -display none -no-reboot -monitor none \
  -serial "file:$run/console" -chardev stdio,id=out,signal=off -serial chardev:out \
  -fsdev local,id=root,path=/,security_model=passthrough,multidevs=remap \
  -device virtio-9p-pci,fsdev=root,mount_tag=hostroot </dev/null || true
if [ ! -f "$run/rc" ]; then
  echo "run-i386: the emulated PC stopped before the command ended; its console:" >&2
  tail -n 40 "$run/console" >&2
  exit 1
fi
exit "$(cat "$run/rc")"
