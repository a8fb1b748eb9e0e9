#!/bin/sh
# Installs what building and running the plug-in here needs (Debian 12, root).
# Idempotent: quiet when everything is present.
set -e
# Fonts: fonts-wine gives Wine the Windows system faces the default look asks
# for ("MS Sans Serif", Tahoma); fonts-dejavu-core is what fontconfig falls
# back to for every other face a skin may name.
packages="cmake make python3 locales g++-mingw-w64-i686-posix mingw-w64-tools \
wine wine32:i386 xvfb xauth gcc-multilib g++-multilib wine32-tools:i386 \
libdevil-dev:i386 googletest fonts-wine fonts-dejavu-core"
missing=""
for p in $packages; do
  dpkg -s "$p" >/dev/null 2>&1 || missing="$missing $p"
done
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
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends $missing >/dev/null
  echo "setup: packages installed"
fi
# Wine runs the plug-in under a Polish locale (ANSI code page 1250); file
# names stay UTF-8 only when the C library knows that locale.
if ! locale -a 2>/dev/null | grep -qix 'pl_PL\.utf-\?8'; then
  need_root "add the pl_PL.UTF-8 locale"
  localedef -i pl_PL -f UTF-8 pl_PL.UTF-8
  echo "setup: locale pl_PL.UTF-8 added"
fi
# Wine's 32-bit side (wine32, winebuild) is i386 code. Some virtual machines
# run 64-bit user code only: there an i386 program fails with "Exec format
# error", and the kernel's binfmt_misc hands such programs to qemu's i386
# user-mode emulator instead (slower, but the same Wine).
if ! /usr/lib/wine/wine --version >/dev/null 2>&1; then
  need_root "run i386 programs through qemu"
  if ! dpkg -s qemu-user-static >/dev/null 2>&1; then
    apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends qemu-user-static >/dev/null
  fi
  binfmt=/proc/sys/fs/binfmt_misc
  [ -e $binfmt/register ] || mount -t binfmt_misc binfmt_misc $binfmt
  if [ ! -e $binfmt/qemu-i386 ]; then
    printf '%s' ':qemu-i386:M::\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00:\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff:/usr/bin/qemu-i386-static:F' \
      > $binfmt/register
  fi
  if ! /usr/lib/wine/wine --version >/dev/null 2>&1; then
    echo "setup: this machine runs no i386 program, not even through qemu" >&2
    exit 1
  fi
  echo "setup: i386 programs run through qemu-i386"
fi
