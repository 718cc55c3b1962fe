#!/usr/bin/env bash
# wine-run.sh PROGRAM.exe [ARGS...] — runs a Windows program of either
# target under Wine and returns its exit code. CTest uses it as the
# cross-compiling emulator. The target is read from the program's PE
# machine type; Wine's own chatter is kept out of the output.
set -uo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
. "$here/wine-env.sh"

prog="${1:?usage: wine-run.sh PROGRAM.exe [ARGS...]}"; shift
[ -f "$prog" ] || { echo "wine-run: no such program: $prog" >&2; exit 127; }

# PE header offset at 0x3c; the machine word follows the 4-byte signature.
pe=$(od -An -tu4 -j60 -N4 "$prog" | tr -d ' ')
machine=$(od -An -tx2 -j$((pe + 4)) -N2 "$prog" | tr -d ' ')
case "$machine" in
  014c) target=win32 ;;
  8664) target=win64 ;;
  *) echo "wine-run: $prog has unknown machine type $machine" >&2; exit 127 ;;
esac

"$here/wine-prefix.sh" "$target" >&2 || exit 127
export WINEPREFIX="$(wine_prefix_of "$target")"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
loader="$(wine_loader_of "$target")"

# The program's output goes through files, not our own descriptors: Wine's
# helper processes inherit whatever the program gets and may hold it open
# long after the program itself ended.
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT
"$loader" "$prog" "$@" <&0 >"$tmp/out" 2>"$tmp/err" &
wine_pid=$!
tail -n +1 -f --pid=$wine_pid "$tmp/out" &
tail_pid=$!
wait $wine_pid
rc=$?
wait $tail_pid 2>/dev/null
cat "$tmp/err" >&2
exit $rc
