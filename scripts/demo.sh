#!/bin/sh
# Builds the plug-in and runs the stand-in host with it under Wine: the host
# loads build/dist/notify.dll, starts it, prints its identity answers and
# registered settings, shows a few notifications and shuts it down.
set -e
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
sh scripts/setup.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j2 --target notify vorlane_host
sh scripts/with-x.sh build tests/wine-run.sh build build/dist/vorlane_host.exe "$@"
