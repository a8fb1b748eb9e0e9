#!/bin/sh
# The committed icons are what res/make_icons.py draws: regenerate them into
# a scratch folder and compare byte by byte (the host's icons too).
# usage: check_icons.sh SOURCE_DIR SCRATCH_DIR
src=$1; out=$2
rm -rf "$out" && mkdir -p "$out" || exit 1
python3 "$src/res/make_icons.py" "$out" || exit 1
for n in 101 103 104 105; do
  cmp "$out/$n.ico" "$src/res/$n.ico" || { echo "res/$n.ico is not what make_icons.py draws"; exit 1; }
done
for f in "$out"/host/*.ico; do
  n=$(basename "$f")
  cmp "$f" "$src/host/icons/$n" || { echo "host/icons/$n is not what make_icons.py draws"; exit 1; }
done
[ "$(ls "$out"/host | wc -l)" = "$(ls "$src"/host/icons | wc -l)" ] || { echo "host/icons holds other files"; exit 1; }
echo "icons 101, 103, 104, 105 and the host's icons match their generator"
