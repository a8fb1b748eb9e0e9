#!/bin/sh
# Installs what building and running the plug-in here needs (Debian 12, root).
# Idempotent: quiet when everything is present.
set -e
packages="cmake make python3 g++-mingw-w64-i686-posix mingw-w64-tools \
wine wine32:i386 xvfb xauth gcc-multilib g++-multilib wine32-tools:i386 \
libdevil-dev:i386 googletest"
missing=""
for p in $packages; do
  dpkg -s "$p" >/dev/null 2>&1 || missing="$missing $p"
done
[ -z "$missing" ] && exit 0
echo "setup: installing$missing"
if [ "$(id -u)" != 0 ]; then
  echo "setup: run as root to install packages" >&2
  exit 1
fi
dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends $missing >/dev/null
echo "setup: done"
