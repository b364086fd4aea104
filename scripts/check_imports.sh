#!/usr/bin/env bash
# Fails, naming each one, when a Windows executable imports a DLL that a Windows
# installation does not have itself. Usage: check_imports.sh OBJDUMP EXECUTABLE
set -euo pipefail
objdump=$1
exe=$2

# DLLs of Windows itself (lower case).
system_dlls=" advapi32.dll comctl32.dll comdlg32.dll gdi32.dll gdiplus.dll imm32.dll kernel32.dll
  msimg32.dll msvcrt.dll ntdll.dll ole32.dll oleaut32.dll rpcrt4.dll shell32.dll shlwapi.dll
  user32.dll uxtheme.dll version.dll winmm.dll winspool.drv ws2_32.dll "

system_dlls=" $(echo $system_dlls) "

imports=$("$objdump" -p "$exe" | sed -n 's/^[[:space:]]*DLL Name:[[:space:]]*//p')
[ -n "$imports" ] || { echo "$exe: no imports found" >&2; exit 1; }
status=0
while read -r dll; do
  lower=$(printf '%s' "$dll" | tr '[:upper:]' '[:lower:]')
  case "$system_dlls" in
    *" $lower "*) ;;
    *) echo "$exe imports $dll, which Windows does not ship" >&2; status=1 ;;
  esac
done <<<"$imports"
[ "$status" -eq 0 ] && echo "$exe imports only Windows system DLLs: $(echo $imports)"
exit "$status"
