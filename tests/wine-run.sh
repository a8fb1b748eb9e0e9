#!/bin/sh
# Runs a Windows executable of the build under Wine.
# usage: wine-run.sh BUILD_DIR PROGRAM [ARGS...]
# The prefix lives in the build tree; DevIL's builtin .so files and their
# PE stubs come from dist/ (or NOTIFY_DEVIL_DIR, used to swap in a variant).
# NOTIFY_DEPTH=16 selects the depth-16 display in NOTIFY_DISPLAY16.
build=$(cd "$1" && pwd); shift
devil=${NOTIFY_DEVIL_DIR:-$build/dist}
export WINEPREFIX="${WINEPREFIX:-$build/wineprefix}"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
export WINEDLLPATH="$devil"
export LC_ALL="${NOTIFY_LOCALE:-${LC_ALL:-pl_PL.UTF-8}}"
export WINEPATH="Z:$(echo "$devil" | tr / '\\')"
if [ "${NOTIFY_DEPTH:-}" = 16 ]; then
  if [ -z "${NOTIFY_DISPLAY16:-}" ]; then
    echo "wine-run: NOTIFY_DISPLAY16 is not set (no depth-16 display)" >&2
    exit 1
  fi
  export DISPLAY="$NOTIFY_DISPLAY16"
fi
if [ -z "${DISPLAY:-}" ]; then
  echo "wine-run: DISPLAY is not set; run through scripts/test.sh or scripts/with-x.sh" >&2
  exit 1
fi
exec wine "$@"
