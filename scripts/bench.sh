#!/bin/sh
# Builds every benchmark (bench/*_bench.cpp) and runs them under Wine, one
# after the other, printing one table: each case with its figure, its
# baseline measured in the same run, their ratio and the target where there
# is one. Composing runs in the default look and in each skin of skins/
# when the tree has one, else in sample skins it writes itself.
# Where i386 programs cannot run they run in the emulated PC
# (scripts/run-i386.sh): every figure is several times larger there, the
# ratios much less so.
# BENCH_ROUNDS sets the rounds per figure (default 7; more for a quieter result).
set -e
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
sh scripts/setup.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
benches=$(for f in bench/*_bench.cpp; do basename "$f" .cpp; done)
cmake --build build -j2 --target $benches >/dev/null
skins=
if [ -d skins ]; then skins="Z:$(echo "$root/skins" | tr / '\\')"; fi
# shellcheck disable=SC2016
sh scripts/run-i386.sh sh scripts/with-x.sh build sh -c '
  printf "%-54s %11s %11s %8s  %s\n" case "figure us" "baseline us" ratio target
  for b in $1; do
    if [ "$b" = compose_bench ] && [ -n "$2" ]; then
      sh tests/wine-run.sh build "build/bin/$b.exe" "$2"
    else
      sh tests/wine-run.sh build "build/bin/$b.exe"
    fi
  done' bench "$benches" "$skins"
