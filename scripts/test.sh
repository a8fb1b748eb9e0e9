#!/bin/sh
# Builds everything and runs the whole test suite under Wine.
set -e
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
sh scripts/setup.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j2
# The two half-days of the day test fill two slots for most of the run; a
# third lets the tests that hold the screen run beside them.
sh scripts/with-x.sh build ctest --test-dir build -j3 --output-on-failure
