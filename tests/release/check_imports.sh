#!/usr/bin/env bash
# The executable is static: it imports nothing but DLLs that every Windows has.
# Usage: check_imports.sh path/to/OrderClient.exe
set -euo pipefail
exe="$1"
# The x86_64 objdump reads 32- and 64-bit executables alike.
objdump=x86_64-w64-mingw32-objdump
allowed='^(kernel32|user32|gdi32|advapi32|comctl32|comdlg32|ole32|oleaut32|shell32|shlwapi|msimg32|uxtheme|msvcrt|version|imm32|uuid)\.dll$'
dlls=$("$objdump" -p "$exe" | sed -n 's/^[[:space:]]*DLL Name: //p' | tr 'A-Z' 'a-z' | sort -u)
[ -n "$dlls" ] || { echo "check_imports: no import table read from $exe" >&2; exit 1; }
bad=$(printf '%s\n' "$dlls" | grep -Ev "$allowed" || true)
echo "imports of $(basename "$exe"): $(echo $dlls)"
if [ -n "$bad" ]; then
  echo "check_imports: not a system DLL: $bad" >&2
  exit 1
fi
