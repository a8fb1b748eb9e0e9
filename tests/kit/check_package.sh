#!/bin/sh
# The release package as a Windows user gets it. Made with the README's
# command, it holds exactly the plug-in, skin-preview, the listener, the
# sample skins, the kit and the install text, and none of the Wine-only
# bridge DLLs. Unpacked into an empty folder, with the bridge DLLs put beside
# it in place of DevIL and the stand-in host copied in as Vorlane would be:
# skin-preview draws a sample skin into a PNG, the host starts the unpacked
# plug-in and shows a notification, and the listener subscribes to its window,
# hears its records and ends cleanly.
# usage: check_package.sh CMAKE BUILD_DIR SOURCE_DIR  (inside the test bed's display)
cmake=$1; build=$(cd "$2" && pwd); src=$(cd "$3" && pwd)
fail() { echo "$*"; exit 1; }
windows() { printf 'Z:%s' "$1" | tr / '\\'; }

"$cmake" --build "$build" --target package >"$build/package.log" 2>&1 ||
  { cat "$build/package.log"; fail "cmake --build build --target package failed"; }
zip=$(ls "$build"/notify-*-win32.zip 2>/dev/null)
[ -f "$zip" ] || fail "no notify-<version>-win32.zip in the build folder"
version=$(basename "$zip" -win32.zip | sed 's/^notify-//')
scratch=$build/package_check
rm -rf "$scratch" && mkdir -p "$scratch" || exit 1
(cd "$scratch" && "$cmake" -E tar xf "$zip") || fail "the zip does not unpack"
top=$scratch/notify-$version-win32
[ -d "$top" ] || fail "the zip holds no folder notify-$version-win32"

listed=$(cd "$top" && find . -type f | LC_ALL=C sort | tr '\n' ' ')
expected="./INSTALL.txt ./listener.exe ./notify.dll ./sdk/examples/example_plugin.cpp \
./sdk/examples/example_plugin.def ./sdk/examples/listener.c ./sdk/host_api.h ./sdk/vorlane_notify.h \
./skin-preview.exe ./skins/mint.ini ./skins/mint.png ./skins/slate.bmp ./skins/slate.ini ./skins/smoke.ini \
./skins/smoke.png "
if [ "$listed" != "$expected" ]; then
  echo "package holds: $listed"
  echo "expected:      $expected"
  exit 1
fi
for f in notify.dll skin-preview.exe listener.exe; do
  cmp "$top/$f" "$build/dist/$f" || fail "$f is not the one built"
done
cmp "$top/sdk/vorlane_notify.h" "$src/sdk/vorlane_notify.h" || exit 1
cmp "$top/sdk/host_api.h" "$src/contract/host_api.h" || exit 1
cmp "$top/sdk/examples/example_plugin.cpp" "$src/examples/plugin/example_plugin.cpp" || exit 1
for f in notify.dll skin-preview.exe listener.exe skins sdk/vorlane_notify.h sdk/host_api.h; do
  grep -q "$(basename "$f")" "$top/INSTALL.txt" || fail "INSTALL.txt does not name $f"
done

# The Wine bridge in place of DevIL, and the host beside the plug-in.
for f in DevIL.dll ILU.dll ILUT.dll devil.dll.so ilu.dll.so ilut.dll.so vorlane_host.exe; do
  cp "$build/dist/$f" "$top/" || exit 1
done
run() { NOTIFY_DEVIL_DIR=$top sh "$src/tests/wine-run.sh" "$build" "$@"; }

run "$top/skin-preview.exe" "$(windows "$top/skins")" smoke "$(windows "$scratch/smoke.png")" \
  >"$scratch/preview.log" 2>&1 || { cat "$scratch/preview.log"; fail "the unpacked skin-preview failed"; }
[ "$(head -c 8 "$scratch/smoke.png" | od -An -tx1 | tr -d ' \n')" = 89504e470d0a1a0a ] ||
  fail "skin-preview wrote no PNG"

# The host shows a notification, then a contact's messages keep coming, each
# with its info record; the unpacked listener, naming the unpacked host as
# the program to listen to (other tests' windows may be open beside it),
# must hear one of them.
{
  printf '%s\n' "# the plug-in of the release package" "net 10 Jabber" "contact pakiet@jabber 10 f Pakietowa" \
    "set Zinglet/events/msg 1" "request 52 time=100 Zainstalowano" "expect 1 lines"
  for i in $(seq 1 20); do printf '%s\n' "wait 500" "message pakiet@jabber Wiadomość $i"; done
} >"$scratch/installed.txt"
run "$top/vorlane_host.exe" "$(windows "$scratch/installed.txt")" >"$scratch/host.log" 2>&1 &
host=$!
listened=
while kill -0 $host 2>/dev/null; do
  run "$top/listener.exe" --seconds 2 --process "$(windows "$top/vorlane_host.exe")" >"$scratch/listener.log" 2>&1
  rc=$?
  [ $rc = 0 ] || [ $rc = 1 ] || { cat "$scratch/listener.log"; fail "the unpacked listener ended with $rc"; }
  grep -q "name=Pakietowa" "$scratch/listener.log" && { listened=yes; break; }
  sleep 0.5  # the host's window is not up yet
done
wait $host
rc=$?
cat "$scratch/host.log"
[ $rc = 0 ] || fail "the host with the unpacked plug-in ended with $rc"
grep -q "plug-in started: Vorlane Notify $version" "$scratch/host.log" || fail "the unpacked plug-in did not start"
[ -n "$listened" ] || { cat "$scratch/listener.log"; fail "the unpacked listener never heard the host's records"; }
echo "$(basename "$zip") unpacks into a working plug-in, skin-preview and listener"
