#!/usr/bin/env bash
# Makes SQLite's single-file amalgamation (sqlite3.c, sqlite3.h) in OUTDIR for the Windows
# builds of the stand-in record manager, from Debian's own sqlite3 source package.
#   scripts/sqlite-amalgamation.sh OUTDIR
#
# The source package is fetched with apt-get from the source entries that match this
# machine's own apt sources; the system's apt configuration is left untouched (the source
# entries, package lists and caches live in a cache directory of their own). The unpacked
# source is kept in the cache (R7_SQLITE_CACHE, default ~/.cache/r7driver/sqlite), so only
# the first build of a machine downloads anything. Needs dpkg-dev and tcl (make sqlite3.c
# runs tclsh).
set -euo pipefail

out_dir="${1:?usage: sqlite-amalgamation.sh OUTDIR}"
cache="${R7_SQLITE_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/r7driver/sqlite}"

if [ -s "$out_dir/sqlite3.c" ] && [ -s "$out_dir/sqlite3.h" ]; then
  exit 0
fi
mkdir -p "$out_dir" "$cache"
cache="$(cd "$cache" && pwd)"

amalgamation="$cache/amalgamation"
if [ ! -s "$amalgamation/sqlite3.c" ] || [ ! -s "$amalgamation/sqlite3.h" ]; then
  apt_dir="$cache/apt"
  rm -rf "$apt_dir"
  mkdir -p "$apt_dir/sources.list.d" "$apt_dir/lists/partial" "$apt_dir/cache/archives/partial"
  : >"$apt_dir/sources.list"

  # Source entries mirror the binary ones: deb822 files gain deb-src in their Types line,
  # one-line files gain a deb-src twin of each deb line.
  shopt -s nullglob
  for file in /etc/apt/sources.list.d/*.sources; do
    sed -E 's/^(Types:[[:space:]]*)(.*)$/\1deb-src/' "$file" >"$apt_dir/sources.list.d/$(basename "$file")"
  done
  for file in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
    [ -f "$file" ] || continue
    sed -nE 's/^[[:space:]]*deb([[:space:]])/deb-src\1/p' "$file" >>"$apt_dir/sources.list"
  done
  shopt -u nullglob

  apt_options=(
    -o "Dir::Etc::sourcelist=$apt_dir/sources.list"
    -o "Dir::Etc::sourceparts=$apt_dir/sources.list.d"
    -o "Dir::State::Lists=$apt_dir/lists"
    -o "Dir::Cache=$apt_dir/cache"
    -o "Dir::Cache::archives=$apt_dir/cache/archives"
    -o "APT::Sandbox::User=$(id -un)"
    -o "Debug::NoLocking=1"
  )
  echo "sqlite-amalgamation: fetching the sqlite3 source package" >&2
  apt-get "${apt_options[@]}" -qq update
  src_dir="$cache/source"
  rm -rf "$src_dir"
  mkdir -p "$src_dir"
  (cd "$src_dir" && apt-get "${apt_options[@]}" -qq source sqlite3)

  tree="$(find "$src_dir" -mindepth 1 -maxdepth 1 -type d -name 'sqlite3-*' | head -n 1)"
  if [ -z "$tree" ]; then
    echo "sqlite-amalgamation: the sqlite3 source package did not unpack" >&2
    exit 1
  fi
  build_dir="$cache/build"
  rm -rf "$build_dir"
  mkdir -p "$build_dir"
  echo "sqlite-amalgamation: making sqlite3.c" >&2
  (cd "$build_dir" && "$tree/configure" --disable-tcl >/dev/null && make -s sqlite3.c >/dev/null)
  mkdir -p "$amalgamation.tmp"
  cp "$build_dir/sqlite3.c" "$build_dir/sqlite3.h" "$amalgamation.tmp/"
  rm -rf "$amalgamation"
  mv "$amalgamation.tmp" "$amalgamation"
fi

cp "$amalgamation/sqlite3.c" "$amalgamation/sqlite3.h" "$out_dir/"
