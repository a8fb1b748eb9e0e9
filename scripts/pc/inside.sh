#!/bin/sh
# Runs inside the emulated PC, on the machine's own root: gives the PC its
# own /tmp, /run and shared memory (Xvfb's and wineserver's sockets stay
# apart from the machine's, while the machine's folders in /tmp are seen),
# runs the command that run-i386.sh left in the
# run folder with its caller's folder and environment, writes its exit code
# there and switches the PC off.
run=$1
# The machine's folders in /tmp (a checkout there, say) stay in sight: only
# its hidden entries, the sockets and locks of its X servers and
# wineservers, are the machine's alone.
mount -t tmpfs run /run
mkdir -p /run/machine-tmp
mount --bind /tmp /run/machine-tmp
mount -t tmpfs tmp /tmp
for dir in /run/machine-tmp/*/; do
  [ -d "$dir" ] || continue
  name=$(basename "$dir")
  mkdir -p "/tmp/$name" && mount --bind "$dir" "/tmp/$name"
done
mkdir -p /dev/shm /dev/pts
mount -t tmpfs shm /dev/shm
mount -t devpts pts /dev/pts
ip link set lo up 2>/dev/null || ifconfig lo up 2>/dev/null
# The second serial port is the caller's standard output. The command
# writes into a pipe, as it would to CI's log: Wine draws on a terminal.
stty -F /dev/ttyS1 raw -echo 2>/dev/null
. "$run/env"
{
  cd "$(cat "$run/cwd")" && sh "$run/cmd"
  echo $? > "$run/rc"
} </dev/null 2>&1 | cat > /dev/ttyS1
sync
# Everything written to the port has left it before the PC goes off
# (tcdrain returns once the port's transmitter is empty).
python3 -c 'import os, termios; termios.tcdrain(os.open("/dev/ttyS1", os.O_WRONLY | os.O_NOCTTY))' 2>/dev/null ||
  sleep 1
echo o > /proc/sysrq-trigger
