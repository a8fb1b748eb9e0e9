#!/bin/sh
# The release package holds exactly the plug-in (the one built), the sample
# skins, the kit and the install text, and none of the Wine-only bridge DLLs.
# usage: check_package.sh CPACK CMAKE BUILD_DIR SOURCE_DIR
cpack=$1; cmake=$2; build=$3; src=$4
scratch=$build/package_check
rm -rf "$scratch" && mkdir -p "$scratch" || exit 1
"$cpack" --config "$build/CPackConfig.cmake" -B "$scratch" >/dev/null || { echo "cpack failed"; exit 1; }
zip=$(ls "$scratch"/notify-*-win32.zip 2>/dev/null)
[ -f "$zip" ] || { echo "no notify-<version>-win32.zip"; exit 1; }
top=$(basename "$zip" .zip)
(cd "$scratch" && "$cmake" -E tar xf "$zip") || exit 1
listed=$(cd "$scratch/$top" && find . -type f | sort | tr '\n' ' ')
expected="./INSTALL.txt ./notify.dll ./sdk/examples/listener.c ./sdk/vorlane_notify.h ./skins/mint.ini ./skins/mint.png ./skins/slate.bmp ./skins/slate.ini ./skins/smoke.ini ./skins/smoke.png "
if [ "$listed" != "$expected" ]; then
  echo "package holds: $listed"
  echo "expected:      $expected"
  exit 1
fi
cmp "$scratch/$top/notify.dll" "$build/dist/notify.dll" || exit 1
cmp "$scratch/$top/sdk/vorlane_notify.h" "$src/sdk/vorlane_notify.h" || exit 1
echo "$top.zip holds the plug-in, the sample skins, the kit and the install text"
