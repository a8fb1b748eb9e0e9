#!/bin/sh
# Builds everything and runs the whole test suite under Wine.
set -e
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
sh scripts/setup.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j2
sh scripts/with-x.sh build ctest --test-dir build -j2 --output-on-failure
