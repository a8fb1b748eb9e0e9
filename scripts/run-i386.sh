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
# qemu uses the processor's virtualization (KVM) where the PC boots on it
# (scripts/pc/setup.sh tries), and emulates the processor otherwise. The PC is slower than the
# machine: NOTIFY_SLOWER (set here to the factor) tells the tests to allow
# for it. NOTIFY_PC=1 runs in the PC even where i386 programs run.
#   sh scripts/run-i386.sh --native   exit 0 where i386 programs run here
#   sh scripts/run-i386.sh --slower   prints the factor: 1 where they run
# One PC runs at a time on a machine: each starts a wineserver of its own,
# and two on one Wine prefix would damage it. A second run waits for the
# first. A run longer than NOTIFY_PC_SECONDS (default 3 hours) is stopped.
set -e
here=$(cd "$(dirname "$0")" && pwd)
. "$here/i386.sh"
native=no
i386_native && native=yes
case "${1:-}" in
  --native) [ $native = yes ] && exit 0; exit 1 ;;
  --slower) if [ $native = yes ]; then echo 1; else pc_slower; fi; exit 0 ;;
esac
if [ $native = yes ]; then
  if ! wine32_starts; then
    echo "run-i386: this machine runs i386 programs, but Wine's 32-bit side does not start: run scripts/setup.sh" >&2
    exit 1
  fi
  exec "$@"
fi
pc=${NOTIFY_PC_DIR:-/var/cache/notify-pc}
if [ ! -f "$pc/vmlinuz" ] || [ ! -f "$pc/initrd.gz" ]; then
  echo "run-i386: this machine runs no i386 programs and the emulated PC is not made: run scripts/setup.sh" >&2
  exit 1
fi
exec 9>>/var/tmp/notify-pc-lock
if ! flock -n 9; then
  echo "run-i386: another run of the emulated PC is going on here; waiting for it to end" >&2
  flock 9
fi
# Holding the lock, no other run is alive: a run folder left here is one
# whose run was killed before it could clean up.
rm -rf /var/tmp/notify-pc.??????
run=$(mktemp -d /var/tmp/notify-pc.XXXXXX)
qemu=
stop() {
  [ -z "$qemu" ] || kill "$qemu" 2>/dev/null || true
  rm -rf "$run"
}
trap stop EXIT
trap 'exit 130' INT
trap 'exit 143' TERM HUP
cp "$here/pc/inside.sh" "$run/"
pwd > "$run/cwd"
accel=$(pc_accel)
NOTIFY_SLOWER=$(pc_slower "$accel")
export NOTIFY_SLOWER
export -p | grep -v -E '^export (PWD|OLDPWD|SHLVL|_|NOTIFY_PC)=' > "$run/env"
for arg in "$@"; do
  printf "'%s' " "$(printf '%s' "$arg" | sed "s/'/'\\\\''/g")"
done > "$run/cmd"
# Half the memory, at most 12 GiB; every core.
mem=$(awk '/^MemTotal/ { m = int($2 / 2048); if (m > 12288) m = 12288; print m }' /proc/meminfo)
if [ "$accel" = kvm ]; then
  # The host's processor as it is, but for the capabilities register,
  # which some hosts refuse to let a guest set.
  processor="-accel kvm -cpu host,-arch-capabilities"
else
  # qemu 7.2 emulating the processor reads the user stack of a 32-bit iret
  # as the kernel would, which SMAP forbids: that PC goes without SMAP.
  processor="-accel tcg,thread=multi -cpu max,-smap"
fi
limit=${NOTIFY_PC_SECONDS:-10800}
# shellcheck disable=SC2086
timeout -k 30 "$limit" qemu-system-x86_64 $processor -smp "$(nproc)" -m "$mem" \
  -kernel "$pc/vmlinuz" -initrd "$pc/initrd.gz" \
  -append "console=ttyS0 quiet loglevel=1 panic=-1 notify.run=$run" \
  -display none -no-reboot -monitor none \
  -serial "file:$run/console" -chardev stdio,id=out,signal=off -serial chardev:out \
  -fsdev local,id=root,path=/,security_model=passthrough,multidevs=remap \
  -device virtio-9p-pci,fsdev=root,mount_tag=hostroot </dev/null &
qemu=$!
ended=0
wait "$qemu" || ended=$?
qemu=
if [ $ended = 124 ] || [ $ended = 137 ]; then
  echo "run-i386: the emulated PC ran longer than $limit s (NOTIFY_PC_SECONDS) and was stopped" >&2
  exit 1
fi
if [ ! -f "$run/rc" ]; then
  echo "run-i386: the emulated PC stopped before the command ended; its console:" >&2
  tail -n 40 "$run/console" >&2
  exit 1
fi
exit "$(cat "$run/rc")"
