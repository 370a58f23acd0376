#!/usr/bin/env bash
# Checks a plug-in DLL the way a user installs it, by copying one file: it must
# import nothing but Windows system DLLs and export exactly VSTPluginMain and
# main, undecorated and at the same address.
#   check_dll.sh OBJDUMP FILE.dll [pei-i386|pei-x86-64]
set -euo pipefail
if [ $# -lt 2 ]; then
  echo "usage: check_dll.sh OBJDUMP FILE.dll [pei-i386|pei-x86-64]" >&2
  exit 2
fi
objdump=$1 dll=$2 format=${3:-}
[ -f "$dll" ] || { echo "check_dll.sh: no file $dll" >&2; exit 2; }
headers=$("$objdump" -p "$dll")
status=0

if [ -n "$format" ] && ! "$objdump" -f "$dll" | grep -q "file format $format\$"; then
  echo "$dll: not $format: $("$objdump" -f "$dll" | grep -o 'file format .*')"
  status=1
fi

# Windows' own DLLs; anything else (libstdc++-6, libgcc_s_*, libwinpthread-1) would
# have to be shipped next to the plug-in.
system='^(kernel32|user32|gdi32|msimg32|ole32|oleaut32|shell32|advapi32|comctl32|comdlg32|winmm|shlwapi|version|msvcrt|ucrtbase|api-ms-win-.*)\.dll$'
imports=$(grep -o 'DLL Name: .*' <<<"$headers" | cut -d' ' -f3- || true)
[ -n "$imports" ] || { echo "$dll: no import table"; status=1; }
for name in $imports; do
  if ! tr '[:upper:]' '[:lower:]' <<<"$name" | grep -Eq "$system"; then
    echo "$dll: imports $name, which is not a Windows system DLL"
    status=1
  fi
done

# [Ordinal/Name Pointer] Table: "[   0] VSTPluginMain"
exports=$(sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' <<<"$headers" |
          sed -nE 's/^[[:space:]]+\[ *[0-9]+\] (.+)$/\1/p' | sort | tr '\n' ' ')
if [ "$exports" != "VSTPluginMain main " ]; then
  echo "$dll: exports '${exports% }', expected exactly 'VSTPluginMain main'"
  status=1
fi
# Export Address Table: "[   0] +base[   1] 1430 Export RVA", one line per ordinal
addresses=$(grep -E 'Export RVA' <<<"$headers" | awk '{print $(NF-2)}' | sort -u | wc -l || true)
if [ "$addresses" -ne 1 ]; then
  echo "$dll: VSTPluginMain and main are not the same function"
  status=1
fi

[ "$status" -eq 0 ] && echo "$dll: imports" $imports"; exports VSTPluginMain and main"
exit "$status"
