#!/bin/sh
# The sample skins' committed images are what skins/make_skins.py draws.
# usage: check_skins.sh SOURCE_DIR SCRATCH_DIR
src=$1; out=$2
rm -rf "$out" && mkdir -p "$out" || exit 1
python3 "$src/skins/make_skins.py" "$out" || exit 1
for f in slate.bmp mint.png smoke.png; do
  cmp "$out/$f" "$src/skins/$f" || { echo "skins/$f is not what make_skins.py draws"; exit 1; }
done
echo "slate.bmp, mint.png, smoke.png match their generator"
