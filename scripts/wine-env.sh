# Shared by the Wine scripts: where each target's prefix lives and which
# loader runs it. Prefixes live in a cache folder outside the repository and
# are made once per machine (a 32-bit prefix takes minutes under emulation).
BRD_WINE_CACHE="${BRD_WINE_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/brindle-wine}"

wine_prefix_of() { printf '%s/%s' "$BRD_WINE_CACHE" "$1"; }

# The plain `wine` command starts the 32-bit loader once 32-bit Wine is
# installed, so each target names its loader explicitly.
wine_loader_of() {
  case "$1" in
    win64) printf '/usr/lib/wine/wine64' ;;
    win32) printf '/usr/lib/wine/wine' ;;
    *) return 1 ;;
  esac
}
