#!/bin/sh
# Builds the plug-in and runs the stand-in host with it under Wine: the host
# loads build/dist/notify.dll, starts it, prints its identity answers and
# registered settings, shows notifications in the tooltip look and with a
# translucent skin, reports a click, lets the rest expire and shuts it down.
# Screenshots of the screen corner land in build/demo-tooltip.bmp and
# build/demo-skin.bmp.
set -e
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
sh scripts/setup.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j2 --target notify vorlane_host
cd build
sh ../scripts/with-x.sh . sh ../tests/wine-run.sh . dist/vorlane_host.exe "$@"
