# Sourced by the scripts that run Wine's 32-bit side: what this machine can
# run, asked directly.

# runs_i386: whether this Linux runs i386 (32-bit) programs. A 96-byte static
# i386 program that only exits with 42 is tried; a kernel with IA-32
# emulation off refuses it ("Exec format error"). It is written where
# programs may run (a /tmp mounted noexec is passed over).
runs_i386() {
  for dir in "${TMPDIR:-/tmp}" /var/tmp "$PWD"; do
    probe=$(mktemp "$dir/notify-i386.XXXXXX" 2>/dev/null) || continue
    printf '\177\105\114\106\001\001\001\000\000\000\000\000\000\000\000\000\002\000\003\000\001\000\000\000'\
'\124\200\004\010\064\000\000\000\000\000\000\000\000\000\000\000\064\000\040\000\001\000\000\000'\
'\000\000\000\000\001\000\000\000\000\000\000\000\000\200\004\010\000\200\004\010\140\000\000\000'\
'\140\000\000\000\005\000\000\000\000\020\000\000\270\001\000\000\000\273\052\000\000\000\315\200' >"$probe"
    chmod +x "$probe"
    rc=0
    "$probe" 2>/dev/null || rc=$?
    rm -f "$probe"
    [ $rc = 126 ] && continue  # not allowed to run programs there
    [ $rc = 42 ]
    return
  done
  return 1
}

# i386_native: whether Wine's 32-bit side runs on this machine itself rather
# than in the emulated PC (scripts/run-i386.sh). NOTIFY_PC=1 asks for the PC
# even where i386 programs run, to try the PC there.
i386_native() {
  [ "${NOTIFY_PC:-}" != 1 ] && runs_i386
}

# wine32_starts: whether Wine's 32-bit side is installed and starts.
wine32_starts() {
  /usr/lib/wine/wine --version >/dev/null 2>&1
}

# pc_kvm: whether this machine offers qemu the processor's virtualization:
# a /dev/kvm this user may open, on which a virtual machine can be made.
# (Whether the PC's kernel boots on it is tried once, by pc/setup.sh: some
# hosts offer a /dev/kvm that runs only kernels made for it.)
pc_kvm() {
  [ -r /dev/kvm ] && [ -w /dev/kvm ] || return 1
  python3 -c 'import fcntl, os
fd = os.open("/dev/kvm", os.O_RDWR)
assert fcntl.ioctl(fd, 0xAE00) == 12  # KVM_GET_API_VERSION
os.close(fcntl.ioctl(fd, 0xAE01, 0))  # KVM_CREATE_VM' 2>/dev/null
}

# pc_accel: how qemu runs the emulated PC's processor here: "kvm" where
# pc/setup.sh found that the PC boots on KVM (or NOTIFY_PC_ACCEL says so),
# "tcg" (qemu's own emulation) otherwise.
pc_accel() {
  accel=${NOTIFY_PC_ACCEL:-$(cat "${NOTIFY_PC_DIR:-/var/cache/notify-pc}/accel" 2>/dev/null)}
  if [ "$accel" = kvm ] && pc_kvm; then echo kvm; else echo tcg; fi
}

# pc_slower [ACCEL]: how many times slower than this machine the emulated
# PC runs (NOTIFY_SLOWER when set): the guards of the tests and the demo
# stretch by it. Emulating the processor costs about 6 times (measured: the
# same Python loop, 0.45 s here, 3.3 to 4 s in the PC); on KVM only the
# shared files and the devices cost, allowed for as 2. ACCEL is pc_accel's
# answer when the caller has it already.
pc_slower() {
  if [ -n "${NOTIFY_SLOWER:-}" ]; then echo "$NOTIFY_SLOWER"
  elif [ "${1:-$(pc_accel)}" = kvm ]; then echo 2
  else echo 6
  fi
}
