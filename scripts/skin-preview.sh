#!/bin/sh
# Runs skin-preview.exe under Wine from the command line.
# usage: sh scripts/skin-preview.sh DIR NAME OUT.png [--text LINE]...
# DIR and OUT.png are Unix paths (relative ones from the current folder);
# they are handed to the tool as Windows paths on drive Z:. The build folder
# is ./build of the source tree unless NOTIFY_BUILD names another. Without a
# DISPLAY the tool runs inside the test bed's virtual X servers.
src=$(cd "$(dirname "$0")/.." && pwd)
build=${NOTIFY_BUILD:-$src/build}
if [ $# -lt 3 ]; then
  echo "usage: sh scripts/skin-preview.sh DIR NAME OUT.png [--text LINE]..." >&2
  exit 2
fi
windows() { printf 'Z:%s' "$(realpath -m "$1")" | tr / '\\'; }
dir=$(windows "$1"); name=$2; out=$(windows "$3"); shift 3
# A machine that runs no i386 programs runs Wine in an emulated PC with a
# virtual display of its own (scripts/run-i386.sh).
if [ -n "${DISPLAY:-}" ] && sh "$src/scripts/run-i386.sh" --native; then
  exec sh "$src/tests/wine-run.sh" "$build" "$build/dist/skin-preview.exe" "$dir" "$name" "$out" "$@"
fi
exec sh "$src/scripts/run-i386.sh" sh "$src/scripts/with-x.sh" "$build" sh "$src/tests/wine-run.sh" "$build" \
  "$build/dist/skin-preview.exe" "$dir" "$name" "$out" "$@"
