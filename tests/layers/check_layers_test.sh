#!/usr/bin/env bash
# The floor check fails, naming file and line, on each kind of planted violation, and
# passes on the tree as it is.
#   check_layers_test.sh SOURCE_DIR
set -euo pipefail
source_dir="$1"
check="$source_dir/scripts/check-layers.sh"
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
failures=0

if ! "$check" "$source_dir/src" >/dev/null; then
  echo "FAIL the tree as it is does not pass"
  failures=$((failures + 1))
fi

# file to plant into | line to add | what the report must say
while IFS='|' read -r file include expected; do
  rm -rf "$scratch/src"
  cp -r "$source_dir/src" "$scratch/src"
  mkdir -p "$(dirname "$scratch/src/$file")"
  printf '%s\n' "$include" >>"$scratch/src/$file"
  line="$(wc -l <"$scratch/src/$file")"
  out="$("$check" "$scratch/src" 2>&1)" && status=0 || status=$?
  if [ "$status" = 1 ] && grep -qF "$file:$line: $expected" <<<"$out"; then
    echo "ok   $file: $expected"
  else
    echo "FAIL $file + $include: exit $status, said:"
    sed 's/^/     /' <<<"$out"
    failures=$((failures + 1))
  fi
done <<'CASES'
ledger/balance_engine.cc|#include "host/driver.h"|includes host/driver.h, a higher floor
base/settings.h|#include "specifiers/dates.h"|includes specifiers/dates.h, a higher floor
specifiers/dates.cc|#include "recordmgr/record_manager.h"|includes recordmgr/record_manager.h: the specifier language reads no file
specifiers/dates.cc|#include "platform/file_system.h"|includes platform/file_system.h: the specifier language reads no file
tools/about/about_dialog.cc|#include "host/driver.h"|includes host/driver.h: a tool gets its ToolContext, not the driver
tools/about/about_dialog.cc|#include "tools/drill/drill_dialog.h"|includes tools/drill/drill_dialog.h, another tool's file
platform/posix/headless.cc|#include "platform/win32/win32_text.h"|includes platform/win32/win32_text.h, the other platform
host/driver.cc|#include <windows.h>|includes <windows.h> outside platform/win32
host/driver.cc|#include "cli/r7/r7_host.h"|includes cli/r7/r7_host.h, which is in no floor
CASES

[ "$failures" -eq 0 ] || exit 1
