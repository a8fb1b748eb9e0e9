#!/bin/sh
# Runs a Windows executable of the build under Wine in another locale, in
# that locale's own prefix (made on first use, then kept) and so with a
# wineserver started in it: Wine takes the ANSI code page from the locale its
# server started in. Message boxes are made fast there as in the test bed.
# usage: locale-run.sh BUILD_DIR LOCALE PROGRAM [ARGS...]
#   (inside the test bed's display; LOCALE e.g. en_US.UTF-8 or ru_RU.UTF-8)
build=$(cd "$1" && pwd); locale=$2; shift 2
here=$(dirname "$0")
export NOTIFY_LOCALE="$locale"
export WINEPREFIX="$build/wineprefix-$locale"
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
export LC_ALL="$locale"
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  wineboot -i >/dev/null 2>&1 || true
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 || true
fi
exec sh "$here/wine-run.sh" "$build" "$@"
