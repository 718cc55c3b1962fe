#!/usr/bin/env bash
# Brings a fresh Debian machine (run as root) to everything the build, the
# tests and the demo need. Safe to run again: each step checks before it acts.
# Any step that cannot be done stops the script with a non-zero status and
# the reason; no target is ever skipped silently.
set -euo pipefail

say()  { printf 'setup: %s\n' "$*"; }
fail() { printf 'setup: FAILED: %s\n' "$*" >&2; exit 1; }

[ "$(id -u)" -eq 0 ] || fail "must run as root (installs packages, registers binfmt)"
export DEBIAN_FRONTEND=noninteractive

PACKAGES=(
  cmake g++ make ninja-build git ca-certificates file
  googletest libgtest-dev libbenchmark-dev
  g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix
  binutils-mingw-w64-i686 binutils-mingw-w64-x86-64
  wine wine64 wine32:i386
  qemu-user-static
  default-jdk-headless
)

missing_packages() {
  local p
  for p in "${PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}\n' "$p" 2>/dev/null | grep -q '^install ok installed$' || echo "$p"
  done
}

# --- packages ---------------------------------------------------------------
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  say "adding the i386 architecture (for 32-bit Wine)"
  dpkg --add-architecture i386 || fail "dpkg --add-architecture i386"
  NEED_UPDATE=1
fi
todo=$(missing_packages)
if [ -n "$todo" ]; then
  say "installing: $(echo $todo)"
  apt-get update -q >/dev/null || fail "apt-get update"
  # shellcheck disable=SC2086
  apt-get install -y -q --no-install-recommends $todo >/dev/null \
    || fail "apt-get install $todo"
elif [ "${NEED_UPDATE:-0}" = 1 ]; then
  apt-get update -q >/dev/null || fail "apt-get update"
fi
todo=$(missing_packages)
[ -z "$todo" ] || fail "packages still missing after install: $todo"

for tool in i686-w64-mingw32-g++-posix x86_64-w64-mingw32-g++-posix \
            i686-w64-mingw32-objdump x86_64-w64-mingw32-objdump \
            qemu-i386-static javac java cmake; do
  command -v "$tool" >/dev/null || fail "tool not found after install: $tool"
done
[ -x /usr/lib/wine/wine64 ] || fail "64-bit Wine loader /usr/lib/wine/wine64 missing"
[ -x /usr/lib/wine/wine ]   || fail "32-bit Wine loader /usr/lib/wine/wine missing"

# --- 32-bit ELF through qemu (the kernel here refuses i386 binaries) ---------
BINFMT=/proc/sys/fs/binfmt_misc
if [ ! -e "$BINFMT/register" ]; then
  say "mounting binfmt_misc"
  mount -t binfmt_misc binfmt_misc "$BINFMT" || fail "cannot mount binfmt_misc at $BINFMT"
fi
if [ ! -e "$BINFMT/qemu-i386" ]; then
  say "registering qemu-i386-static for i386 ELF binaries"
  printf '%s' ':qemu-i386:M::\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00:\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff:/usr/bin/qemu-i386-static:FP' \
    > "$BINFMT/register" || fail "binfmt_misc registration of qemu-i386 refused"
fi
grep -q '^enabled' "$BINFMT/qemu-i386" || echo 1 > "$BINFMT/qemu-i386"
grep -q '^enabled' "$BINFMT/status" 2>/dev/null || echo 1 > "$BINFMT/status"

# --- Wine prefixes: made once per machine, outside the repository -----------
"$(dirname "$0")/wine-prefix.sh" win64 || fail "64-bit Wine prefix"
"$(dirname "$0")/wine-prefix.sh" win32 || fail "32-bit Wine prefix"

say "ready"
