#!/bin/sh
# The plug-in exports exactly "_IMessageProc@4" and imports only system DLLs
# and the three DevIL DLLs (no mingw runtime DLL).
# usage: check_exports.sh OBJDUMP notify.dll
objdump=$1; dll=$2
table=$("$objdump" -p "$dll") || exit 1
names=$(echo "$table" | sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' | grep '\[' | grep -v 'Ordinal/Name')
count=$(echo "$names" | grep -c .)
if [ "$count" != 1 ] || ! echo "$names" | grep -q '\] _IMessageProc@4$'; then
  echo "exports are not exactly _IMessageProc@4:"; echo "$names"; exit 1
fi
imports=$(echo "$table" | sed -n 's/^[[:space:]]*DLL Name: //p' | tr 'a-z' 'A-Z')
for dll_name in $imports; do
  case "$dll_name" in
    KERNEL32.DLL|USER32.DLL|GDI32.DLL|COMCTL32.DLL|SHLWAPI.DLL|MSVCRT.DLL|ADVAPI32.DLL|OLEACC.DLL|OLEAUT32.DLL|OLE32.DLL) ;;
    DEVIL.DLL|ILU.DLL|ILUT.DLL) ;;
    *) echo "the plug-in imports $dll_name, which is neither a system DLL nor DevIL"; exit 1 ;;
  esac
done
for needed in DEVIL.DLL ILU.DLL ILUT.DLL; do
  echo "$imports" | grep -qx "$needed" || { echo "the plug-in does not import $needed"; exit 1; }
done
echo "exports: _IMessageProc@4 only; imports:" $imports
