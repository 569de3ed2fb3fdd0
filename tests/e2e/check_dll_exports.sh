#!/usr/bin/env bash
# Checks what a component DLL shows the loader: a 32-bit PE, exactly one export,
# foobar2000_get_interface, and imports from system DLLs and utf8api.dll only.
#   check_dll_exports.sh OBJDUMP DLL...
set -euo pipefail

objdump=$1
shift
allowed=" kernel32.dll user32.dll gdi32.dll comdlg32.dll comctl32.dll msvcrt.dll utf8api.dll "
status=0

for dll in "$@"; do
  dump=$("$objdump" -p "$dll")
  if ! "$objdump" -f "$dll" | grep -q 'file format pei-i386'; then
    echo "$dll: not a 32-bit (i386) PE file" >&2
    status=1
  fi
  exports=$(printf '%s\n' "$dump" |
    awk '/^\[Ordinal\/Name Pointer\] Table/ { on = 1; next } on && /^$/ { on = 0 } on { print $NF }')
  if [[ $exports != foobar2000_get_interface ]]; then
    echo "$dll: exports must be exactly foobar2000_get_interface, found: $(echo ${exports:-nothing})" >&2
    status=1
  fi
  imports=$(printf '%s\n' "$dump" | awk '/DLL Name:/ { print tolower($3) }')
  if [[ -z $imports ]]; then
    echo "$dll: no import table found" >&2
    status=1
  fi
  for name in $imports; do
    if [[ $allowed != *" $name "* ]]; then
      echo "$dll: imports $name, which the player does not provide" >&2
      status=1
    fi
  done
  echo "$dll: exports [$(echo $exports)], imports [$(echo $imports)]"
done
exit $status
