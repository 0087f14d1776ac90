#!/usr/bin/env bash
# Installs the Debian packages the build needs, only those that are missing.
#   scripts/install-deps.sh [linux] [windows] [wine32] [fuzz]   (default: linux)
# wine32 adds the i386 architecture and the 32-bit Wine loader, for
# scripts/windows-smoke.sh --32. fuzz adds clang and its libFuzzer runtime, for scripts/fuzz.sh.
set -euo pipefail

want_linux=0 want_windows=0 want_wine32=0 want_fuzz=0
for group in "${@:-linux}"; do
  case "$group" in
    linux) want_linux=1 ;;
    windows) want_windows=1 ;;
    wine32) want_wine32=1 ;;
    fuzz) want_fuzz=1 ;;
    *) echo "install-deps: unknown group '$group' (linux, windows, wine32, fuzz)" >&2; exit 2 ;;
  esac
done

packages=()
if [ "$want_linux" = 1 ]; then
  packages+=(cmake ninja-build g++ pkg-config googletest libgtest-dev libgmock-dev
             libbenchmark-dev libsqlite3-dev sqlite3 nlohmann-json3-dev libcli11-dev)
fi
if [ "$want_windows" = 1 ]; then
  packages+=(cmake ninja-build g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix
             binutils-mingw-w64-i686 binutils-mingw-w64-x86-64 dpkg-dev wine64 xvfb x11-apps x11-utils netpbm
             gcc make tcl xz-utils)  # gcc, make, tcl: SQLite's amalgamation is made from source
fi

if [ "$want_fuzz" = 1 ]; then
  packages+=(clang libclang-rt-dev)
fi

sudo_cmd=()
if [ "$(id -u)" != 0 ]; then sudo_cmd=(sudo); fi

if [ "$want_wine32" = 1 ]; then
  packages+=(wine32:i386)
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    echo "install-deps: adding the i386 architecture for the 32-bit Wine loader"
    "${sudo_cmd[@]}" dpkg --add-architecture i386
  fi
fi

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$package")
  fi
done
[ "${#missing[@]}" -eq 0 ] && exit 0

echo "install-deps: installing ${missing[*]}"
"${sudo_cmd[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
