#!/bin/sh
# Draws the README's gallery with skin-preview: the preview's eight samples
# in the default look (default.png) and in each sample skin (NAME.png), in
# docs/gallery/ (or the folder NOTIFY_GALLERY_DIR names).
# usage: sh scripts/gallery.sh   (after a build; without a DISPLAY it runs in
# the test bed's virtual display)
src=$(cd "$(dirname "$0")/.." && pwd)
build=${NOTIFY_BUILD:-$src/build}
out=${NOTIFY_GALLERY_DIR:-$src/docs/gallery}
mkdir -p "$out" || exit 2
draw='
  for skin in "[brak]" slate mint smoke; do
    name=$skin; [ "$skin" = "[brak]" ] && name=default
    NOTIFY_BUILD="$1" sh "$2/scripts/skin-preview.sh" "$2/skins" "$skin" "$3/$name.png" || exit 1
  done'
# A machine that runs no i386 programs runs Wine in an emulated PC with a
# virtual display of its own (scripts/run-i386.sh).
if [ -n "${DISPLAY:-}" ] && sh "$src/scripts/run-i386.sh" --native; then
  exec sh -c "$draw" gallery "$build" "$src" "$out"
fi
exec sh "$src/scripts/run-i386.sh" sh "$src/scripts/with-x.sh" "$build" sh -c "$draw" gallery "$build" "$src" "$out"
