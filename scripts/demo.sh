#!/bin/sh
# Builds the plug-in, the stand-in host and the example plug-in the default
# scenario loads beside it, and has the host play a scenario with the
# plug-in under Wine: host/scenarios/default.txt, or the file given.
#   sh scripts/demo.sh [SCENARIO]
# When DISPLAY names a reachable X server the host runs there and stays open
# after the scenario until its main window is closed; otherwise it runs on a
# virtual display (Xvfb) and exits when the scenario ends. Screenshots land
# in build/demo/. The exit code is the host's: 0 played to its end, 1 an
# expectation failed, 2 a bad scenario line.
set -e
root=$(cd "$(dirname "$0")/.." && pwd)
scenario=${1:-$root/host/scenarios/default.txt}
if [ ! -f "$scenario" ]; then
  echo "demo: no scenario file $scenario" >&2
  exit 2
fi
scenario=$(cd "$(dirname "$scenario")" && pwd)/$(basename "$scenario")
cd "$root"
sh scripts/setup.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j2 --target notify vorlane_host example_plugin
mkdir -p build/demo
shots="Z:$(echo "$root/build/demo" | tr / '\\')"

# An X server answers on DISPLAY (a local socket, also the abstract one, or TCP).
display_reachable() {
  [ -n "${DISPLAY:-}" ] || return 1
  python3 - "$DISPLAY" <<'PY'
import re, socket, sys
m = re.match(r'^(?:unix)?([^:/]*):(\d+)(?:\.\d+)?$', sys.argv[1])
if not m:
    sys.exit(1)
host, n = m.group(1), int(m.group(2))
try:
    if host in ('', 'unix'):
        s = socket.socket(socket.AF_UNIX)
        s.settimeout(2)
        try:
            s.connect('/tmp/.X11-unix/X%d' % n)
        except OSError:
            s.connect('\0/tmp/.X11-unix/X%d' % n)
    else:
        socket.create_connection((host, 6000 + n), timeout=2)
except OSError:
    sys.exit(1)
PY
}

# Where i386 programs cannot run, Wine runs in an emulated PC
# (scripts/run-i386.sh), which has a virtual display of its own.
native=no
sh scripts/run-i386.sh --native && native=yes
cd build
if [ $native = yes ] && display_reachable; then
  echo "demo: on the display $DISPLAY; close the host's window to end"
  export WINEPREFIX="${WINEPREFIX:-$root/build/wineprefix}"
  export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  export LC_ALL="${NOTIFY_LOCALE:-pl_PL.UTF-8}"
  wineboot -i >/dev/null 2>&1 || true
  sh ../tests/wine-run.sh . dist/vorlane_host.exe --stay --shots "$shots" "$scenario"
else
  if [ $native = yes ]; then
    echo "demo: no reachable display; on a virtual one"
  else
    if [ "${NOTIFY_PC:-}" = 1 ]; then
      echo "demo: in the emulated PC (NOTIFY_PC=1), on a virtual display"
    else
      echo "demo: this machine runs no i386 programs; in an emulated PC, on a virtual display"
    fi
  fi
  sh ../scripts/run-i386.sh sh ../scripts/with-x.sh . sh ../tests/wine-run.sh . dist/vorlane_host.exe \
    --shots "$shots" "$scenario"
fi
