#!/bin/sh
# The plug-in exports exactly "_IMessageProc@4" and needs no mingw runtime DLL.
# usage: check_exports.sh OBJDUMP notify.dll
objdump=$1; dll=$2
table=$("$objdump" -p "$dll") || exit 1
names=$(echo "$table" | sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' | grep '\[' | grep -v 'Ordinal/Name')
count=$(echo "$names" | grep -c .)
if [ "$count" != 1 ] || ! echo "$names" | grep -q '\] _IMessageProc@4$'; then
  echo "exports are not exactly _IMessageProc@4:"; echo "$names"; exit 1
fi
if echo "$table" | grep -i 'DLL Name' | grep -qiE 'libgcc|libstdc|libwinpthread'; then
  echo "the plug-in depends on a mingw runtime DLL:"; echo "$table" | grep 'DLL Name'; exit 1
fi
echo "exports: _IMessageProc@4 only; imports:"; echo "$table" | grep 'DLL Name'
