#!/usr/bin/env bash
# wine-prefix.sh win32|win64 — makes the target's Wine prefix if it is not
# there yet, with the null graphics driver so that windows work headless.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
. "$here/wine-env.sh"

target="${1:?usage: wine-prefix.sh win32|win64}"
loader="$(wine_loader_of "$target")" || { echo "wine-prefix: unknown target $target" >&2; exit 2; }
prefix="$(wine_prefix_of "$target")"
stamp="$BRD_WINE_CACHE/$target.ready"
[ -e "$stamp" ] && exit 0

# Several test runs may ask for the same prefix at once: one makes it, the
# others wait for it.
mkdir -p "$BRD_WINE_CACHE"
exec 9>"$BRD_WINE_CACHE/$target.lock"
flock 9
[ -e "$stamp" ] && exit 0

arch=win64; [ "$target" = win32 ] && arch=win32
mkdir -p "$BRD_WINE_CACHE"
rm -rf "$prefix"
log="$BRD_WINE_CACHE/$target-init.log"
echo "wine-prefix: creating the $target prefix (log in $log); under emulation this takes minutes"
export WINEPREFIX="$prefix" WINEARCH="$arch" WINEDEBUG=-all
# No Mono or Gecko: nothing here needs them, and installing them would
# need the network.
export WINEDLLOVERRIDES="mscoree,mshtml="
# Output goes to a file: Wine's helper processes inherit and hold it, and a
# pipe would keep a reader waiting until they all exit.
if ! "$loader" wineboot -i >"$log" 2>&1 </dev/null; then
  echo "wine-prefix: wineboot failed for $target; see $log" >&2; exit 1
fi
"$loader" reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >>"$log" 2>&1 </dev/null \
  || { echo "wine-prefix: cannot set the null graphics driver for $target; see $log" >&2; exit 1; }
# Some of Wine's first-start helpers can linger idle under emulation: give
# them a bounded time to finish, then stop the prefix's server, which saves
# the registry.
timeout 600 wineserver -w >>"$log" 2>&1 || wineserver -k >>"$log" 2>&1 || true
grep -q '"Graphics"="null"' "$prefix/user.reg" \
  || { echo "wine-prefix: the null graphics driver did not reach the $target registry; see $log" >&2; exit 1; }
[ -d "$prefix/drive_c/windows" ] || { echo "wine-prefix: $target prefix incomplete; see $log" >&2; exit 1; }
touch "$stamp"
echo "wine-prefix: $target prefix ready"
