#!/bin/sh
# Installs what building and running the plug-in here needs (Debian 12, root).
# Idempotent: quiet when everything is present.
set -e
# The DevIL bridge is built with Wine's 64-bit tools (wine64-tools): their
# winegcc and winebuild make the i386 bridge with -m32 and run on any
# x86-64 machine, also where i386 programs cannot run. They link against
# Wine's i386 libraries (libwine-dev:i386), named here: wine64-tools alone
# would bring the x86-64 ones.
# Fonts: fonts-wine gives Wine the Windows system faces the default look asks
# for ("MS Sans Serif", Tahoma); fonts-dejavu-core is what fontconfig falls
# back to for every other face a skin may name.
packages="cmake make python3 locales g++-mingw-w64-i686-posix mingw-w64-tools \
wine wine32:i386 xvfb xauth gcc-multilib g++-multilib wine64-tools libwine-dev:i386 \
libdevil-dev:i386 googletest fonts-wine fonts-dejavu-core"
missing=""
for p in $packages; do
  dpkg -s "$p" >/dev/null 2>&1 || missing="$missing $p"
done
. "$(dirname "$0")/apt.sh"
need_root() {
  if [ "$(id -u)" != 0 ]; then
    echo "setup: run as root to $1" >&2
    exit 1
  fi
}
if [ -n "$missing" ]; then
  echo "setup: installing$missing"
  need_root "install packages"
  dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386
  export DEBIAN_FRONTEND=noninteractive
  apt_update
  apt_install $missing
  echo "setup: packages installed"
fi
# Wine runs the plug-in under a Polish locale (ANSI code page 1250), and the
# tests of other languages under English (1252) and Russian (1251) ones; file
# names stay UTF-8 only when the C library knows the locale.
for lang in pl_PL en_US ru_RU; do
  if ! locale -a 2>/dev/null | grep -qix "$lang\\.utf-\\?8"; then
    need_root "add the $lang.UTF-8 locale"
    localedef -i "$lang" -f UTF-8 "$lang.UTF-8"
    echo "setup: locale $lang.UTF-8 added"
  fi
done
# Wine's 32-bit side is i386 code, and so is every program the plug-in is
# tried with. Some virtual machines run 64-bit user code only: there every
# i386 program fails with "Exec format error" (qemu's user-mode emulator
# does not help: Wine crashes under it). There the tests, the demo and the
# benchmarks run in an emulated PC (scripts/run-i386.sh); make it now.
# NOTIFY_PC=1 makes it where i386 programs run too, to try it there.
. "$(dirname "$0")/i386.sh"
if ! i386_native; then
  need_root "make the emulated PC that runs Wine's 32-bit side here"
  sh "$(dirname "$0")/pc/setup.sh"
elif ! wine32_starts; then
  echo "setup: this machine runs i386 programs, but Wine's 32-bit side (wine32:i386) does not start;" \
    "reinstall it: apt-get install --reinstall wine32:i386" >&2
  exit 1
fi
