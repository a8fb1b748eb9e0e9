#!/bin/sh
# The README's gallery command (which runs the README's skin-preview command
# for each look) draws the default look and the sample skins, and the
# pictures are those the README shows.
# usage: check_gallery.sh BUILD_DIR SOURCE_DIR  (inside the test bed's display)
build=$(cd "$1" && pwd); src=$(cd "$2" && pwd)
out=$build/gallery_check
rm -rf "$out"
NOTIFY_BUILD=$build NOTIFY_GALLERY_DIR=$out sh "$src/scripts/gallery.sh" >"$build/gallery_check.log" 2>&1 ||
  { cat "$build/gallery_check.log"; echo "scripts/gallery.sh failed"; exit 1; }
for name in default slate mint smoke; do
  [ -s "$out/$name.png" ] || { echo "no $name.png"; exit 1; }
  cmp -s "$out/$name.png" "$src/docs/gallery/$name.png" ||
    { echo "docs/gallery/$name.png is not what skin-preview draws now; redraw it with sh scripts/gallery.sh"; exit 1; }
done
echo "the gallery is drawn as the README shows it"
