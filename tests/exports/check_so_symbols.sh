#!/usr/bin/env bash
# check_so_symbols.sh SO DEF — the shared library exports the names of the
# .def file as plain C symbols.
set -euo pipefail
so="$1" def="$2"
exported=$(nm -D --defined-only "$so" | awk '$2 == "T" {print $3}' | sort)
missing=0
# The .def names the Java entry by its 32-bit stdcall name (_NAME@N); a
# shared library exports it as NAME.
for name in $(awk '/^EXPORTS/{on=1; next} on && NF {print $1}' "$def" | sed -E 's/^_(Java_.*)@[0-9]+$/\1/'); do
  grep -qx "$name" <<<"$exported" || { echo "missing export: $name"; missing=1; }
done
[ $missing -eq 0 ] || exit 1
echo "all exports present"
