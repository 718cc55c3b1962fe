#!/usr/bin/env bash
# check_imports.sh OBJDUMP FILE... — every library the files import is one
# of the system's own: the recorder ships without any runtime beside it.
set -euo pipefail
objdump=$1
shift
status=0
for f in "$@"; do
  dump=$("$objdump" -p "$f") || { echo "cannot read $f"; exit 1; }
  while read -r dll; do
    case "${dll^^}" in
      KERNEL32.DLL | USER32.DLL | GDI32.DLL | ADVAPI32.DLL | MSVCRT.DLL) echo "$(basename "$f"): $dll" ;;
      *) echo "$(basename "$f") imports $dll"; status=1 ;;
    esac
  done < <(sed -n 's/^[[:space:]]*DLL Name: //p' <<<"$dump")
done
exit $status
