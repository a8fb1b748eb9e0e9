#!/bin/sh
# The plug-in exports exactly "_IMessageProc@4" and imports only system DLLs
# (no mingw runtime DLL). DevIL, ILU and ILUT are not imported, so the
# plug-in loads without them; they are loaded by name at start-up, and the
# DLL names written in the plug-in are system DLLs or those three.
# usage: check_exports.sh OBJDUMP notify.dll
objdump=$1; dll=$2
table=$("$objdump" -p "$dll") || exit 1
names=$(echo "$table" | sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' | grep '\[' | grep -v 'Ordinal/Name')
count=$(echo "$names" | grep -c .)
if [ "$count" != 1 ] || ! echo "$names" | grep -q '\] _IMessageProc@4$'; then
  echo "exports are not exactly _IMessageProc@4:"; echo "$names"; exit 1
fi
system_dll() {
  case "$1" in
    KERNEL32.DLL|USER32.DLL|GDI32.DLL|COMCTL32.DLL|SHLWAPI.DLL|MSVCRT.DLL|ADVAPI32.DLL) return 0 ;;
    # The shell's "do not disturb" states, and the session's lock and
    # connection, looked up by name at run time.
    SHELL32.DLL|WTSAPI32.DLL) return 0 ;;
    # Screen readers: MSAA and COM, and UI Automation where the system has it.
    OLEACC.DLL|OLEAUT32.DLL|OLE32.DLL|UIAUTOMATIONCORE.DLL) return 0 ;;
  esac
  return 1
}
devil_dll() {
  case "$1" in DEVIL.DLL|ILU.DLL|ILUT.DLL) return 0 ;; esac
  return 1
}
imports=$(echo "$table" | sed -n 's/^[[:space:]]*DLL Name: //p' | tr 'a-z' 'A-Z')
[ -n "$imports" ] || { echo "no import table read"; exit 1; }
for name in $imports; do
  devil_dll "$name" && { echo "the plug-in imports $name: it would not load without DevIL"; exit 1; }
  system_dll "$name" || { echo "the plug-in imports $name, which is not a system DLL"; exit 1; }
done
# Every DLL name the plug-in holds as text, in bytes or in UTF-16: those it
# imports and those it loads by name at run time.
ascii=$(LC_ALL=C grep -a -o -E '[A-Za-z0-9_-]+\.[dD][lL][lL]' "$dll")
wide=$(LC_ALL=C grep -a -o -P '(?:[A-Za-z0-9_-]\x00)+\.\x00[dD]\x00[lL]\x00[lL]\x00' "$dll" | tr -d '\000')
written=$(printf '%s\n%s\n' "$ascii" "$wide" | grep . | tr 'a-z' 'A-Z' | sort -u)
# A name stored right after binary data (a table of pointers, say) is read
# with the data's last bytes glued to its front: "gDevIL.dll". Such a name
# counts as the known name it ends with, when one to three bytes stand
# before it.
known_tail() {
  for cut in 1 2 3; do
    tail=$(echo "$1" | cut -c$((cut + 1))-)
    system_dll "$tail" || devil_dll "$tail" || continue
    echo "$tail"; return 0
  done
  return 1
}
for name in $written; do
  tail=$(known_tail "$name") && name=$tail
  # Its own name; and the static runtime only asks whether a shared libgcc
  # is loaded already, it never loads one.
  case "$name" in NOTIFY.DLL|LIBGCC_S_DW2-1.DLL) continue ;; esac
  system_dll "$name" || devil_dll "$name" || { echo "the plug-in names $name, neither a system DLL nor DevIL"; exit 1; }
done
for needed in DEVIL.DLL ILU.DLL ILUT.DLL; do
  echo "$written" | grep -qE "^.{0,3}$needed\$" || { echo "the plug-in does not load $needed"; exit 1; }
done
echo "exports: _IMessageProc@4 only; imports:" $imports "; loaded at start-up:" DevIL.dll ILU.dll ILUT.dll
