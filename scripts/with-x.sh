#!/bin/sh
# Runs a command with two virtual X servers (24-bit DISPLAY and a 16-bit
# NOTIFY_DISPLAY16), a Wine prefix inside the build tree and a persistent
# wineserver; everything is stopped afterwards.
# usage: with-x.sh BUILD_DIR COMMAND [ARGS...]
# Wine runs in the Polish locale (ANSI code page 1250) unless NOTIFY_LOCALE
# names another (en_US.UTF-8: 1252, ru_RU.UTF-8: 1251; scripts/setup.sh adds
# these three). Wine takes the code page from the locale its wineserver
# started in, so each other locale has a prefix, and a server, of its own:
# build/wineprefix-LOCALE, made on its first use and kept.
#   NOTIFY_LOCALE=en_US.UTF-8 sh scripts/with-x.sh build sh scripts/gallery.sh
set -e
build=$(cd "$1" && pwd); shift
n=${NOTIFY_XNUM:-90}
while [ -e /tmp/.X$n-lock ] || [ -e /tmp/.X$((n + 1))-lock ]; do n=$((n + 2)); done
Xvfb :$n -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
x24=$!
Xvfb :$((n + 1)) -screen 0 1024x768x16 -nolisten tcp >/dev/null 2>&1 &
x16=$!
locale=${NOTIFY_LOCALE:-pl_PL.UTF-8}
prefix=$build/wineprefix
[ "$locale" = pl_PL.UTF-8 ] || prefix=$build/wineprefix-$locale
export WINEPREFIX="${WINEPREFIX:-$prefix}"
export NOTIFY_LOCALE="$locale"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
cleanup() {
  wineserver -k >/dev/null 2>&1 || true
  kill $x24 $x16 2>/dev/null || true
}
trap cleanup EXIT INT TERM
for i in $(seq 1 100); do
  [ -e /tmp/.X11-unix/X$n ] && [ -e /tmp/.X11-unix/X$((n + 1)) ] && break
  sleep 0.1
done
export DISPLAY=:$n
export NOTIFY_DISPLAY16=:$((n + 1))
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  echo "with-x: creating the Wine prefix in $WINEPREFIX"
fi
export LC_ALL="$locale"
wineserver -p >/dev/null 2>&1 || true
wineboot -i >/dev/null 2>&1 || true
# There is no window manager on the virtual display: without this, Wine waits
# for one (about 2 s) whenever a managed window such as a message box appears.
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 || true
"$@"
