#!/usr/bin/env bash
# Checks the floors of the driver on the include lines of every file under src/: an include
# may point to its own floor or to a lower one, never up; a tool never includes another
# tool's files nor the driver itself; the specifier language reads no file; only the Win32
# platform layer (and the resource script) includes <windows.h>.
#   scripts/check-layers.sh [ROOT]   (ROOT: the tree to check, the project's src/ by default)
# Prints each violation as FILE:LINE: reason, and exits 1 when there is one.
set -euo pipefail
root="${1:-$(dirname "$0")/../src}"
cd "$root"

# Floors from the bottom up, with the folders that make each one. wbtrv32.h is the record
# manager's published call interface and counts as the record-manager floor.
floor_of() {
  case "$1" in
    common/* | resources/*) echo 0 ;;
    platform/*) echo 1 ;;
    base/*) echo 2 ;;
    recordmgr/* | wbtrv32.h) echo 3 ;;
    specifiers/*) echo 4 ;;
    ledger/*) echo 5 ;;
    preload/*) echo 6 ;;
    host/*) echo 7 ;;
    tools/*) echo 8 ;;
    exports/*) echo 9 ;;
    *) echo "" ;;
  esac
}

# The folder of a tool ("tools/drill" for tools/drill/drill_dialog.cc); empty for the files
# that every tool shares (tools/*.h).
tool_of() {
  case "$1" in
    tools/*/*) echo "${1%/*}" ;;
    *) echo "" ;;
  esac
}

violations=0
report() {
  echo "$1: $2"
  violations=$((violations + 1))
}

while IFS= read -r file; do
  from="$(floor_of "$file")"
  if [ -z "$from" ]; then
    report "$file:1" "in no floor (common, resources, platform, base, recordmgr, specifiers, ledger, preload, host, tools, exports)"
    continue
  fi
  while IFS=: read -r line target; do
    if [ "$target" = "<windows.h>" ]; then
      case "$file" in
        platform/win32/* | resources/*.rc) ;;  # the resource script is Windows' own
        *) report "$file:$line" "includes <windows.h> outside platform/win32" ;;
      esac
      continue
    fi
    case "$target" in \<*) continue ;; esac
    target="${target#\"}"
    target="${target%\"}"
    # resources/ files include one another by paths relative to themselves.
    if [ "${file%%/*}" = resources ] && [ -e "$(dirname "$file")/$target" ]; then
      target="$(realpath -m --relative-to=. "$(dirname "$file")/$target")"
    fi
    to="$(floor_of "$target")"
    if [ -z "$to" ]; then
      report "$file:$line" "includes $target, which is in no floor"
      continue
    fi
    if [ "$to" -gt "$from" ]; then
      report "$file:$line" "includes $target, a higher floor"
      continue
    fi
    case "$file:$target" in
      platform/posix/*:platform/win32/* | platform/win32/*:platform/posix/*)
        report "$file:$line" "includes $target, the other platform" ;;
      platform/*:platform/posix/* | platform/*:platform/win32/*)
        case "$file" in platform/posix/* | platform/win32/*) ;; *)
          report "$file:$line" "includes $target: the interfaces know no implementation" ;;
        esac ;;
      specifiers/*:recordmgr/* | specifiers/*:wbtrv32.h | specifiers/*:platform/*)
        report "$file:$line" "includes $target: the specifier language reads no file" ;;
      tools/*:host/driver.h)
        report "$file:$line" "includes host/driver.h: a tool gets its ToolContext, not the driver" ;;
      tools/*:tools/*)
        own="$(tool_of "$file")"
        other="$(tool_of "$target")"
        if [ -n "$other" ] && [ "$other" != "$own" ]; then
          report "$file:$line" "includes $target, another tool's file"
        fi ;;
    esac
  done < <(grep -n '^[[:space:]]*#[[:space:]]*include' "$file" |
    sed -E 's/^([0-9]+):[[:space:]]*#[[:space:]]*include[[:space:]]*([<"][^>"]*[>"]).*/\1:\2/')
done < <(find . -type f \( -name '*.h' -o -name '*.cc' -o -name '*.inc' -o -name '*.rc' \) |
  sed 's|^\./||' | sort)

if [ "$violations" -ne 0 ]; then
  echo "check-layers: $violations include(s) break the floors" >&2
  exit 1
fi
echo "check-layers: every include of $(find . -type f \( -name '*.h' -o -name '*.cc' \) | wc -l) files points down"
