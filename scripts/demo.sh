#!/usr/bin/env bash
# Builds everything (the Linux tree and both Windows DLLs) and runs the main job: the
# tutorial company is built with r7-ledger, and the r7 host evaluates the worksheet calls
# of examples/tutorial-calls.txt against it, printing each call beside its answer.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh linux windows
for preset in linux mingw32 mingw64; do
  echo "== building $preset"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
done

bin=build/linux/bin
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
"$bin/r7-ledger" build examples/tutorial.json "$work/system"
printf '[R7 for Tessary]\r\nSystem Directory=%s\r\nCompany=00\r\nCurrent Year=2002\r\nRounding=1\r\nNA Label=0\r\nFinancial Entities File in GL Path=1\r\n' \
  "$work/system" >"$work/R7.INI"

echo "== the tutorial company through r7 (code, argument -> return value, result)"
R7_WINDIR="$work" "$bin/r7" --clipboard "$work/clipboard" batch examples/tutorial-calls.txt \
  >"$work/results"
paste examples/tutorial-calls.txt "$work/results" |
  awk -F'\t' '{ printf "%-4s %-38s -> %-3s %s\n", $1, $2, $3, $4 }'
echo "== the account-usage report that code 12 left on the clipboard"
tr -d '\r' <"$work/clipboard"
