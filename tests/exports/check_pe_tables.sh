#!/usr/bin/env bash
# check_pe_tables.sh OBJDUMP DLL DEF — the DLL exports exactly the names of
# the .def file and imports only system DLLs (the compiler's runtime is
# linked in), among them the window system's USER32 and GDI32 for the pane
# windows.
set -euo pipefail
objdump="$1" dll="$2" def="$3"
dump="$("$objdump" -p "$dll")"

expected=$(awk '/^EXPORTS/{on=1; next} on && NF {print $1}' "$def" | sort)
# Export name table rows look like "	[   0] +base[   1] 0000 VersionBrd".
actual=$(printf '%s\n' "$dump" | sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' \
         | awk -F'] ' '/\[ *[0-9]+\]/{print $NF}' | awk '{print $NF}' | sort)
if [ "$expected" != "$actual" ]; then
  echo "export names differ from the .def file"
  diff <(echo "$expected") <(echo "$actual") || true
  exit 1
fi

allowed='^(KERNEL32|USER32|GDI32|ADVAPI32|msvcrt)\.dll$'
bad=0
while read -r name; do
  if ! [[ "$name" =~ $allowed ]]; then echo "imports a non-system DLL: $name"; bad=1; fi
done < <(printf '%s\n' "$dump" | awk '/DLL Name:/{print $3}')
for needed in USER32 GDI32; do
  if ! printf '%s\n' "$dump" | awk '/DLL Name:/{print $3}' | grep -qix "$needed.dll"; then
    echo "does not import $needed.dll: the pane windows are missing"; bad=1
  fi
done
[ $bad -eq 0 ] || exit 1
echo "exports: $(echo $actual)"
echo "imports: $(printf '%s\n' "$dump" | awk '/DLL Name:/{print $3}' | sort -u | tr '\n' ' ')"
