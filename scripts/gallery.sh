#!/bin/sh
# Draws the README's gallery with skin-preview: the preview's eight samples
# in the default look (default.png) and in each sample skin (NAME.png), in
# docs/gallery/.
# usage: sh scripts/gallery.sh   (after a build; runs in the virtual display)
src=$(cd "$(dirname "$0")/.." && pwd)
build=${NOTIFY_BUILD:-$src/build}
mkdir -p "$src/docs/gallery"
exec sh "$src/scripts/with-x.sh" "$build" sh -c '
  for skin in "[brak]" slate mint smoke; do
    out=$skin; [ "$skin" = "[brak]" ] && out=default
    NOTIFY_BUILD="$1" sh "$2/scripts/skin-preview.sh" "$2/skins" "$skin" "$2/docs/gallery/$out.png" || exit 1
  done' gallery "$build" "$src"
