#!/bin/sh
# Builds everything and runs the whole test suite under Wine.
set -e
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
sh scripts/setup.sh
# Where i386 programs cannot run, Wine runs in an emulated PC
# (scripts/run-i386.sh), several times slower: the tests' limits grow by it.
slower=$(sh scripts/run-i386.sh --slower)
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DNOTIFY_SLOWER="$slower" >/dev/null
cmake --build build -j2
# The two half-days of the day test fill two slots for most of the run; a
# third lets the tests that hold the screen run beside them.
sh scripts/run-i386.sh sh scripts/with-x.sh build ctest --test-dir build -j3 --output-on-failure
